# Fails (FATAL_ERROR) when a .cpp in FOLDER does not compile on its own.
# The build compiles its sources in unity batches, where a file missing an
# #include still compiles on what the files before it in the batch included;
# the next file added to a batch, or a reordering, then breaks someone else's
# build. Each file is compiled here alone, -fsyntax-only, with the flags its
# target uses: they are read from the compile command of the unity file that
# includes it (or of the file itself, in a build without unity batches).
# Usage: cmake -DCOMPILE_COMMANDS=<build>/compile_commands.json -DFOLDER=<source folder>
#              -P CompileEachAlone.cmake
cmake_minimum_required(VERSION 3.25)

foreach(var COMPILE_COMMANDS FOLDER)
  if(NOT ${var})
    message(FATAL_ERROR "${var} is not set")
  endif()
endforeach()
if(NOT EXISTS ${COMPILE_COMMANDS})
  message(FATAL_ERROR "${COMPILE_COMMANDS} is missing: configure with CMAKE_EXPORT_COMPILE_COMMANDS")
endif()

# The compile command of each .cpp of FOLDER, as command_<key> and dir_<key>
# with the key the file's path made a plain name.
file(READ ${COMPILE_COMMANDS} json)
string(JSON count LENGTH "${json}")
math(EXPR last "${count} - 1")
foreach(index RANGE ${last})
  string(JSON entry_file GET "${json}" ${index} file)
  string(JSON entry_command GET "${json}" ${index} command)
  string(JSON entry_dir GET "${json}" ${index} directory)
  if(entry_file MATCHES "/Unity/[^/]+\\.cxx$")
    file(STRINGS ${entry_file} lines REGEX "^#include \"[^\"]+\"")
    list(TRANSFORM lines REPLACE "^#include \"([^\"]+)\".*" "\\1")
  else()
    set(lines ${entry_file})
  endif()
  foreach(source IN LISTS lines)
    cmake_path(GET source PARENT_PATH parent)
    string(MAKE_C_IDENTIFIER "${source}" key)
    if(parent STREQUAL FOLDER AND NOT DEFINED command_${key})
      set(command_${key} "${entry_command}")
      set(dir_${key} "${entry_dir}")
    endif()
  endforeach()
endforeach()

file(GLOB sources ${FOLDER}/*.cpp)
if(NOT sources)
  message(FATAL_ERROR "no .cpp in ${FOLDER}")
endif()
set(failed)
foreach(source IN LISTS sources)
  string(MAKE_C_IDENTIFIER "${source}" key)
  if(NOT DEFINED command_${key})
    message(NOTICE "${source}: no compile command names it (a source the build leaves out, or a stale configure)")
    list(APPEND failed ${source})
    continue()
  endif()
  separate_arguments(args UNIX_COMMAND "${command_${key}}")
  # Keep the compiler and its flags; drop what names the batch and its outputs.
  set(flags)
  set(skip_next FALSE)
  foreach(arg IN LISTS args)
    if(skip_next)
      set(skip_next FALSE)
    elseif(arg MATCHES "^-(o|c|MT|MF|MQ)$")
      set(skip_next TRUE)
    elseif(NOT arg MATCHES "^-(MD|MMD)$")
      list(APPEND flags "${arg}")
    endif()
  endforeach()
  execute_process(COMMAND ${flags} -fsyntax-only ${source}
                  WORKING_DIRECTORY ${dir_${key}}
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    # The first error tells which declaration the file lacks; the rest follow from it.
    string(SUBSTRING "${out}${err}" 0 2000 first)
    message(NOTICE "${source}: does not compile on its own; a missing #include?\n${first}")
    list(APPEND failed ${source})
  endif()
endforeach()

# The compiler's words went out above as they are; this names the files.
if(failed)
  list(JOIN failed "\n  " text)
  message(FATAL_ERROR "these files fail the check:\n  ${text}")
endif()
list(LENGTH sources compiled)
message(STATUS "${compiled} files of ${FOLDER} compile on their own")
