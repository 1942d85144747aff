# Compiles SOURCE with -DCASE=0, which must succeed, and with each of CASES, which
# must fail. Arguments: -DCXX=compiler -DINCLUDE=include directory -DSOURCE=file
# -DCASES=1,2,...
function(compile case result)
  execute_process(COMMAND ${CXX} -std=c++17 -fsyntax-only -I${INCLUDE} -DCASE=${case} ${SOURCE}
    RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE errors)
  set(${result} ${status} PARENT_SCOPE)
  set(errors "${errors}" PARENT_SCOPE)
endfunction()

compile(0 status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "CASE 0 of ${SOURCE} should compile:\n${errors}")
endif()
string(REPLACE "," ";" CASES "${CASES}")
foreach(case IN LISTS CASES)
  compile(${case} status)
  if(status EQUAL 0)
    message(FATAL_ERROR "CASE ${case} of ${SOURCE} compiled, but must not")
  endif()
endforeach()
