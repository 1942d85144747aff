# Runs a program (through RUNNER, when given: an interpreter such as mono) and fails
# unless its output equals the expected lines. Used for the fingerprint and for the
# C interface's foreign host.
execute_process(COMMAND ${RUNNER} ${PROGRAM} OUTPUT_VARIABLE actual RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} failed: ${status}")
endif()
file(READ ${EXPECTED} expected)
if(NOT actual STREQUAL expected)
  message(FATAL_ERROR "results differ from the recorded ones.\nexpected:\n${expected}\nactual:\n${actual}")
endif()
message(STATUS "output matches:\n${actual}")
