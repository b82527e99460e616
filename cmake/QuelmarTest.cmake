# quelmar_add_test_executable(name SOURCES ... LIBS ... [NO_LEAK_CHECK])
# One GoogleTest executable per layer; every test runs headless.
# NO_LEAK_CHECK is for executables that start a Qt platform: fontconfig and the
# platform plugin keep process-lifetime allocations that LeakSanitizer reports.
function(quelmar_add_test_executable name)
  cmake_parse_arguments(ARG "NO_LEAK_CHECK" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/common)
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  target_compile_definitions(${name} PRIVATE
    QUELMAR_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    QUELMAR_BINARY_DIR="${PROJECT_BINARY_DIR}")
  set(env "QT_QPA_PLATFORM=offscreen")
  if(ARG_NO_LEAK_CHECK)
    list(APPEND env "ASAN_OPTIONS=detect_leaks=0")
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST PROPERTIES ENVIRONMENT "${env}")
endfunction()
