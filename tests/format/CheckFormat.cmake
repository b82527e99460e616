# cmake -DROOT=<source tree> -DCLANG_FORMAT=<program> -P CheckFormat.cmake
# Fails when clang-format would change any .cpp or .h under src, tests, bench
# or fuzz.
set(files)
foreach(folder src tests bench fuzz)
  file(GLOB_RECURSE found ${ROOT}/${folder}/*.cpp ${ROOT}/${folder}/*.h)
  list(APPEND files ${found})
endforeach()
if(NOT files)
  message(FATAL_ERROR "no sources found under ${ROOT}")
endif()
execute_process(COMMAND ${CLANG_FORMAT} --style=file --dry-run --Werror ${files}
                RESULT_VARIABLE status ERROR_VARIABLE report)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "clang-format would change these files (run clang-format -i on them):\n${report}")
endif()
