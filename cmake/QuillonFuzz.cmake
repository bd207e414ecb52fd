# libFuzzer builds (clang only): every library gets the fuzzer's coverage instrumentation
# and both sanitizers; the fuzz targets in fuzz/ link the fuzzer's main. Included before
# the libraries are declared, so the flags reach all of them. With the Qt parts and the
# tests beside them, one tree serves the suites under the sanitizers and the fuzz targets:
# the sanitizers' runtime answers the coverage hooks where no fuzzer is linked.
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  message(FATAL_ERROR "QUILLON_FUZZ needs clang: configure with -DCMAKE_CXX_COMPILER=clang++ "
                      "-DCMAKE_C_COMPILER=clang")
endif()
add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined
                    -fno-omit-frame-pointer -gline-tables-only)
add_link_options(-fsanitize=address,undefined)
