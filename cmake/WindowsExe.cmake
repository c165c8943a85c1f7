# ardeno.exe: a GUI-subsystem program that needs no DLL beyond Windows' own.
add_executable(ardeno WIN32
  app/main.cpp
  app/new_delete.cpp
  platform/window_manager_win32.cpp)
target_link_libraries(ardeno PRIVATE stretcher user32 kernel32)

if(MINGW)
  # No exceptions or RTTI: the C++ runtime's unwinding machinery would be most
  # of the file. Static runtime so that no libgcc or libstdc++ DLL is needed.
  target_compile_options(stretcher PRIVATE -fno-exceptions -fno-rtti)
  target_compile_options(ardeno PRIVATE -fno-exceptions -fno-rtti)
  target_link_options(ardeno PRIVATE -static -s -Wl,--gc-sections)
  target_compile_options(stretcher PRIVATE -ffunction-sections -fdata-sections)
endif()
