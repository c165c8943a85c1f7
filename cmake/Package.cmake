# ardeno-<version>-win32.zip: ardeno.exe with the two READMEs, the guide's
# picture and LICENSE, and a SHA256SUMS beside it:
# `cmake --build --preset mingw --target package`. A script of ours writes the
# zip, not CPack, so that one commit packs to the same bytes wherever and
# whenever it is packed.
find_package(Python3 COMPONENTS Interpreter)
if(Python3_Interpreter_FOUND)
  add_custom_target(package
    COMMAND Python3::Interpreter ${CMAKE_CURRENT_LIST_DIR}/package_zip.py
            ${PROJECT_SOURCE_DIR} ${PROJECT_BINARY_DIR} ardeno-${PROJECT_VERSION}-win32.zip
            $<TARGET_FILE:ardeno> README.ja.md docs/demo.png README.md LICENSE
    VERBATIM)
  add_dependencies(package ardeno)
else()
  message(STATUS "No Python 3 found: no package target")
endif()
