# The demo's stand-in desktop (tools/demo): windows for ardeno.exe to act on.
add_executable(stand_in_desktop demo/stand_in_desktop.cpp)
target_link_libraries(stand_in_desktop PRIVATE user32 gdi32)
if(MINGW)
  target_link_options(stand_in_desktop PRIVATE -static)
endif()
