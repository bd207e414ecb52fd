# libFuzzer builds (clang only): every library gets the fuzzer's coverage instrumentation
# and both sanitizers; the fuzz targets in fuzz/ link the fuzzer's main. Included before
# the libraries are declared, so the flags reach all of them.
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  message(FATAL_ERROR "QUILLON_FUZZ needs clang: configure with -DCMAKE_CXX_COMPILER=clang++ "
                      "-DCMAKE_C_COMPILER=clang")
endif()
if(QUILLON_GUI)
  message(FATAL_ERROR "QUILLON_FUZZ builds the core only: add -DQUILLON_GUI=OFF")
endif()
add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined
                    -fno-omit-frame-pointer -gline-tables-only)
add_link_options(-fsanitize=address,undefined)
