# Every library the fuzz targets link is built with coverage for libFuzzer and with
# AddressSanitizer and UndefinedBehaviorSanitizer; any undefined behaviour aborts the run.
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  message(FATAL_ERROR "DIBLAB_FUZZ needs clang++ (configure with -DCMAKE_CXX_COMPILER=clang++)")
endif()
add_compile_options(
  -fsanitize=fuzzer-no-link,address,undefined
  -fno-sanitize-recover=all
  -fno-omit-frame-pointer
  -g)
add_link_options(-fsanitize=address,undefined)
