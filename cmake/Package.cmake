# ardeno-<version>-win32.zip: ardeno.exe with README.md and LICENSE, and a
# SHA256SUMS beside it. `cmake --build --preset mingw --target package`
install(TARGETS ardeno RUNTIME DESTINATION .)
install(FILES README.md LICENSE DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_FILE_NAME ardeno-${PROJECT_VERSION}-win32)
# The three files at the top of the zip, as a download of a single tool has them.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/PackageChecksums.cmake)
include(CPack)
