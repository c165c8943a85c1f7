# The libFuzzer target for the command-line splitting; only the fuzz preset
# turns it on. The preset's flags instrument the libraries it links.
add_executable(split_fuzzer fuzz/split_fuzzer.cpp)
target_link_libraries(split_fuzzer PRIVATE stretcher memory_desktop)
target_link_options(split_fuzzer PRIVATE -fsanitize=fuzzer)
