# Programs for tools/bench: bench_desktop lays out editor windows and times
# commands on them; floor_stretch and empty_gui are the floors ardeno.exe is
# measured against. They take ardeno's own compile and link options, so that
# only the code differs.
add_executable(bench_desktop bench/bench_desktop.cpp)
add_executable(floor_stretch WIN32 bench/floor_stretch.cpp)
add_executable(empty_gui WIN32 bench/empty_gui.cpp)
foreach(target IN ITEMS bench_desktop floor_stretch empty_gui)
  target_compile_options(${target} PRIVATE $<TARGET_PROPERTY:ardeno,COMPILE_OPTIONS>)
  target_link_options(${target} PRIVATE $<TARGET_PROPERTY:ardeno,LINK_OPTIONS>)
endforeach()
target_link_libraries(bench_desktop PRIVATE user32)
target_link_libraries(floor_stretch PRIVATE user32)
