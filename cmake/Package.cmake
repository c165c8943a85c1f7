# ardeno-<version>-win32.zip: ardeno.exe with readme.txt (the Japanese guide
# as plain text), its two pictures and LICENSE, and a SHA256SUMS beside it. The
# English README is for the repository's page: in the zip, with extensions
# hidden, it would stand beside readme.txt under the same name.
# `cmake --build --preset mingw --target package`. A script of ours writes the
# zip, not CPack, so that one commit packs to the same bytes wherever and
# whenever it is packed.
find_package(Python3 COMPONENTS Interpreter)
if(Python3_Interpreter_FOUND)
  include(${CMAKE_CURRENT_LIST_DIR}/ReadmeTxt.cmake)
  add_custom_target(package
    COMMAND Python3::Interpreter ${CMAKE_CURRENT_LIST_DIR}/package_zip.py
            ${PROJECT_SOURCE_DIR} ${PROJECT_BINARY_DIR} ardeno-${PROJECT_VERSION}-win32.zip
            $<TARGET_FILE:ardeno> ${readme_txt} docs/demo.ja.png docs/displays.ja.png LICENSE
    VERBATIM)
  add_dependencies(package ardeno readme_txt)
else()
  message(STATUS "No Python 3 found: no package target")
endif()
