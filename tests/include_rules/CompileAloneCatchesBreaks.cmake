# CompileEachAlone.cmake on a small build of its own: a file that compiles
# only after another of its unity batch must fail by its name, as must a file
# no compile command names; files with all they need pass, with the include
# folders and definitions of their batch's command.
# Usage: cmake -DCHECK=<CompileEachAlone.cmake> -DCXX=<compiler> -DWORK=<scratch folder>
#              -P CompileAloneCatchesBreaks.cmake
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE ${WORK})
# Found only through -I<src>, and GREETING only through the batch's -D.
file(WRITE ${WORK}/src/ok/Greeting.h "#include <string>\ninline std::string greeting() { return GREETING; }\n")
file(WRITE ${WORK}/src/ok/Good.cpp "#include \"ok/Greeting.h\"\nstd::string good() { return greeting(); }\n")
# Compiles in the batch on the <string> Good.cpp brought in before it.
file(WRITE ${WORK}/src/broken/Missing.cpp "std::string missing() { return \"y\"; }\n")
file(WRITE ${WORK}/src/plain/Plain.cpp "int plain() { return PLAIN; }\n")
file(WRITE ${WORK}/src/orphan/Orphan.cpp "int orphan() { return 1; }\n")
file(WRITE ${WORK}/build/Unity/unity_0_cxx.cxx
     "/* one batch */\n#include \"${WORK}/src/ok/Good.cpp\"\n\n#include \"${WORK}/src/broken/Missing.cpp\"\n")

# Commands written as a build writes them: the definition's quotes escaped for
# the shell, then for JSON; the batch compiled, the plain file on its own.
set(batch_command "${CXX} -DGREETING=\\\\\\\"hi\\\\\\\" -I${WORK}/src -std=c++20 -o unity.o -c ${WORK}/build/Unity/unity_0_cxx.cxx")
set(plain_command "${CXX} -DPLAIN=2 -std=c++20 -MD -MT plain.o -MF plain.o.d -o plain.o -c ${WORK}/src/plain/Plain.cpp")
file(WRITE ${WORK}/build/compile_commands.json "[
{\"directory\": \"${WORK}/build\", \"command\": \"${batch_command}\", \"file\": \"${WORK}/build/Unity/unity_0_cxx.cxx\"},
{\"directory\": \"${WORK}/build\", \"command\": \"${plain_command}\", \"file\": \"${WORK}/src/plain/Plain.cpp\"}
]\n")

# folder | the exit code expected | the file the failure must name
set(cases
  "ok|0|"
  "plain|0|"
  "broken|1|Missing.cpp"
  "orphan|1|Orphan.cpp"
)
set(wrong)
foreach(entry IN LISTS cases)
  string(REPLACE "|" ";" parts "${entry}")
  list(GET parts 0 folder)
  list(GET parts 1 expected)
  list(GET parts 2 blamed)
  execute_process(COMMAND ${CMAKE_COMMAND} -DCOMPILE_COMMANDS=${WORK}/build/compile_commands.json
                          -DFOLDER=${WORK}/src/${folder} -P ${CHECK}
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    set(rc 1)
  endif()
  string(FIND "${out}${err}" "${WORK}/src/${folder}/${blamed}" at)
  if(NOT rc EQUAL expected OR (blamed AND at EQUAL -1))
    string(APPEND wrong "\n  ${folder}: exit ${rc}, expected ${expected}${blamed}\n${out}${err}")
  endif()
endforeach()
file(REMOVE_RECURSE ${WORK})
if(wrong)
  message(FATAL_ERROR "the check of each file alone is wrong on:${wrong}")
endif()
