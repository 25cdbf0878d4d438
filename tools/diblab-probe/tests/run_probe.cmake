# Runs the built probe and checks its standard output and exit status.
# PROBE, STATUS; optional ARGS, INPUT (file for standard input), EXPECTED (file with the exact
# output) and CONTAINS (a text the output must hold).
if(INPUT)
  set(input_option INPUT_FILE ${INPUT})
endif()
execute_process(COMMAND ${PROBE} ${ARGS} ${input_option}
  OUTPUT_VARIABLE output RESULT_VARIABLE status)
if(NOT status EQUAL STATUS)
  message(FATAL_ERROR "exit status ${status}, expected ${STATUS}")
endif()
if(EXPECTED)
  file(READ ${EXPECTED} expected_output)
  if(NOT output STREQUAL expected_output)
    message(FATAL_ERROR "output:\n${output}\nexpected:\n${expected_output}")
  endif()
endif()
if(CONTAINS)
  string(FIND "${output}" "${CONTAINS}" position)
  if(position EQUAL -1)
    message(FATAL_ERROR "output lacks '${CONTAINS}':\n${output}")
  endif()
endif()
