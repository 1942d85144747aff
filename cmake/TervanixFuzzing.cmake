# The fuzz build: the library and the targets are instrumented for libFuzzer's
# coverage feedback and checked by AddressSanitizer and UndefinedBehaviorSanitizer,
# which abort at the first report so that the fuzzer records the input.
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "TERVANIX_BUILD_FUZZERS needs clang++ (libFuzzer)")
endif()
add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -g)
add_link_options(-fsanitize=address,undefined)
