# The flags under which every Double operation rounds exactly as written: no fast
# math, no fused multiply-add, SSE2 arithmetic on x86. They apply to the library and
# to everything of this project that does arithmetic (tests, benchmarks, examples).
function(tervanix_apply_flags target)
  target_compile_features(${target} PRIVATE cxx_std_17)
  set_target_properties(${target} PROPERTIES CXX_EXTENSIONS OFF)
  if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    target_compile_options(${target} PRIVATE
      -ffp-contract=off -fno-fast-math
      -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast)
    if(CMAKE_SYSTEM_PROCESSOR MATCHES "x86_64|AMD64|i.86")
      target_compile_options(${target} PRIVATE -msse2 -mfpmath=sse)
    endif()
    if(TERVANIX_WARNINGS_AS_ERRORS)
      target_compile_options(${target} PRIVATE -Werror)
    endif()
  elseif(MSVC)
    target_compile_options(${target} PRIVATE /fp:precise /W4)
    if(TERVANIX_WARNINGS_AS_ERRORS)
      target_compile_options(${target} PRIVATE /WX)
    endif()
  endif()
endfunction()

# The library's functions start on a 64-byte line each: a method of up to 64 bytes
# then lies in one line of the processor's instruction caches wherever the linker
# places it, and the time of a call does not change with that place from one build
# to the next.
function(tervanix_align_functions target)
  if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    target_compile_options(${target} PRIVATE -falign-functions=64)
  endif()
endfunction()
