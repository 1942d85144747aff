# The differential check (Differential.h): the reference library, the same sources
# compiled with TERVANIX_STEP_BY_STEP=1 in the namespace tervanix_reference, and one
# side of the calls built against each library. The program tervanix_differential
# runs it from a fixed seed (the test "differential"); with TERVANIX_BUILD_FUZZERS
# the fuzz target tervanix_fuzz_Differential runs it on the fuzzer's inputs.
include(${PROJECT_SOURCE_DIR}/calculations/Sources.cmake)
add_library(tervanix_reference STATIC ${TERVANIX_SOURCES})
tervanix_apply_flags(tervanix_reference)
target_compile_features(tervanix_reference PUBLIC cxx_std_17)
target_include_directories(tervanix_reference PRIVATE $<TARGET_PROPERTY:Tervanix,INTERFACE_INCLUDE_DIRECTORIES>)
target_compile_definitions(tervanix_reference PRIVATE TERVANIX_BUILDING TERVANIX_STEP_BY_STEP=1 tervanix=tervanix_reference)

add_library(tervanix_differential_sides STATIC
  ${PROJECT_SOURCE_DIR}/fuzz/DifferentialSupport.cpp ${PROJECT_SOURCE_DIR}/fuzz/DifferentialCalls.cpp
  ${PROJECT_SOURCE_DIR}/fuzz/HardCases.cpp ${PROJECT_SOURCE_DIR}/fuzz/HardCaseCalls.cpp)
tervanix_apply_flags(tervanix_differential_sides)
target_compile_definitions(tervanix_differential_sides PRIVATE DIFFERENTIAL_SIDE=RunNormal)
# tervanix_internal: the normal library with its runtime internals (the tiles' vectors)
target_link_libraries(tervanix_differential_sides PUBLIC tervanix_internal)

# An object library of the SOURCES compiled against the reference library (its
# namespace, every method on its step-by-step path), with the DEFINITIONS added: the
# reference side of a comparison (here, and tests/matrix_sizes).
function(tervanix_reference_side name)
  cmake_parse_arguments(SIDE "" "" "SOURCES;DEFINITIONS" ${ARGN})
  add_library(${name} OBJECT ${SIDE_SOURCES})
  tervanix_apply_flags(${name})
  target_compile_features(${name} PRIVATE cxx_std_17)
  target_include_directories(${name} PRIVATE $<TARGET_PROPERTY:Tervanix,INTERFACE_INCLUDE_DIRECTORIES>)
  target_compile_definitions(${name} PRIVATE ${SIDE_DEFINITIONS} TERVANIX_STEP_BY_STEP=1 tervanix=tervanix_reference)
endfunction()

tervanix_reference_side(tervanix_differential_reference_side
  SOURCES ${PROJECT_SOURCE_DIR}/fuzz/DifferentialCalls.cpp ${PROJECT_SOURCE_DIR}/fuzz/HardCaseCalls.cpp
  DEFINITIONS DIFFERENTIAL_SIDE=RunReference)
target_sources(tervanix_differential_sides PRIVATE $<TARGET_OBJECTS:tervanix_differential_reference_side>)
target_link_libraries(tervanix_differential_sides PUBLIC tervanix_reference)

if(TERVANIX_BUILD_FUZZERS)
  add_executable(tervanix_fuzz_Differential ${PROJECT_SOURCE_DIR}/fuzz/Differential_fuzz.cpp)
  tervanix_apply_flags(tervanix_fuzz_Differential)
  target_link_libraries(tervanix_fuzz_Differential PRIVATE tervanix_differential_sides)
  target_link_options(tervanix_fuzz_Differential PRIVATE -fsanitize=fuzzer)
  # Beside the other fuzz targets, where scripts/ci/fuzz-smoke.sh runs them.
  set_target_properties(tervanix_fuzz_Differential PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
else()
  add_executable(tervanix_differential ${PROJECT_SOURCE_DIR}/fuzz/DifferentialProgram.cpp)
  tervanix_apply_flags(tervanix_differential)
  target_link_libraries(tervanix_differential PRIVATE tervanix_differential_sides)
  # A few seconds in every test run (and so in the mutation check); CI runs it longer.
  add_test(NAME differential COMMAND tervanix_differential --corpus ${PROJECT_SOURCE_DIR}/fuzz/corpus/Differential
           --count 10000)
endif()
