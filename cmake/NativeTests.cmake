# Native builds run the stretcher against the in-memory desktop.
add_library(memory_desktop STATIC platform/memory_desktop.cpp)
target_include_directories(memory_desktop PUBLIC platform)

find_package(GTest REQUIRED)
add_executable(unit_tests
  tests/unit/run_stretcher_test.cpp
  tests/unit/stretch_window_test.cpp
  tests/unit/switch_lookup_test.cpp
  tests/unit/all_windows_sweep_test.cpp
  tests/unit/user_docs_test.cpp)
target_link_libraries(unit_tests PRIVATE stretcher memory_desktop GTest::gtest_main)
# The READMEs are read where they stand, so that the check sees them as edited,
# and the zip's readme.txt as the build makes it from README.ja.md.
find_package(Python3 COMPONENTS Interpreter REQUIRED)
include(${CMAKE_CURRENT_LIST_DIR}/ReadmeTxt.cmake)
add_dependencies(unit_tests readme_txt)
set_source_files_properties(tests/unit/user_docs_test.cpp
  PROPERTIES COMPILE_DEFINITIONS
  "ARDENO_SOURCE_DIR=\"${PROJECT_SOURCE_DIR}\";ARDENO_README_TXT=\"${readme_txt}\";ARDENO_VERSION=\"${PROJECT_VERSION}\"")
include(GoogleTest)
gtest_discover_tests(unit_tests)
