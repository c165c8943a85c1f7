# ardeno.exe: a GUI-subsystem program that needs no DLL beyond Windows' own.
enable_language(RC)
add_executable(ardeno WIN32
  app/main.cpp
  app/new_delete.cpp
  platform/window_manager_win32.cpp
  res/ardeno.rc)
target_link_libraries(ardeno PRIVATE stretcher user32 kernel32)

# The manifest and the version resource, whose numbers come from project().
# Numbers without the leading zero of "01": resource numbers are C integers.
math(EXPR ARDENO_VERSION_MAJOR "${PROJECT_VERSION_MAJOR}")
math(EXPR ARDENO_VERSION_MINOR "${PROJECT_VERSION_MINOR}")
math(EXPR ARDENO_VERSION_PATCH "0${PROJECT_VERSION_PATCH}")
configure_file(res/version.h.in res/version.h @ONLY)
# The resource compiler's dependency scan sees #include lines, not the manifest.
set_source_files_properties(res/ardeno.rc PROPERTIES OBJECT_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/res/ardeno.manifest)
target_include_directories(ardeno PRIVATE
  "$<$<COMPILE_LANGUAGE:RC>:${CMAKE_CURRENT_BINARY_DIR}/res;${CMAKE_CURRENT_SOURCE_DIR}/res>")

if(MINGW)
  # No exceptions or RTTI: the C++ runtime's unwinding machinery would be most
  # of the file. Static runtime so that no libgcc or libstdc++ DLL is needed.
  target_compile_options(stretcher PRIVATE -fno-exceptions -fno-rtti -ffunction-sections -fdata-sections)
  target_compile_options(ardeno PRIVATE -fno-exceptions -fno-rtti)
  # No link time in the header: two builds of one commit are byte-identical.
  target_link_options(ardeno PRIVATE -static -s -Wl,--gc-sections -Wl,--no-insert-timestamp)
  # Checks of the built file with the cross binutils; they need no Wine.
  add_subdirectory(tests/release)
elseif(MSVC)
  # The manifest is ardeno.rc's; the linker's own would be a second resource 1.
  target_link_options(ardeno PRIVATE /MANIFEST:NO)
endif()

# The 32-bit exe is the one shipped; the 64-bit build shows the same sources
# hold on x86-64 and runs the end-to-end suite where no 32-bit code runs.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  include(cmake/Package.cmake)
endif()

include(cmake/Demo.cmake)
include(cmake/Bench.cmake)
include(cmake/E2E.cmake)
