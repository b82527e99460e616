# quelmar_add_test_executable(name SOURCES ... LIBS ...)
# One GoogleTest executable per layer; every test runs headless, with leak
# checking on. What Qt, fontconfig and the platform plugin keep for the life
# of the process is named in tests/leak_suppressions.txt.
function(quelmar_add_test_executable name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/common)
  # A unity batch includes each test file, so a fixture in a file's anonymous
  # namespace reads to the compiler as one from a header.
  target_compile_options(${name} PRIVATE -Wno-subobject-linkage)
  target_compile_definitions(${name} PRIVATE
    QUELMAR_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    QUELMAR_BINARY_DIR="${PROJECT_BINARY_DIR}")
  set(env "QT_QPA_PLATFORM=offscreen"
          "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/leak_suppressions.txt:print_suppressions=0")
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST PROPERTIES ENVIRONMENT "${env}")
endfunction()
