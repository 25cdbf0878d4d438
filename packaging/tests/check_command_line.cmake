# Runs PROGRAM with ARGUMENTS and checks its exit status STATUS and its output: with status 0,
# standard output is STDOUT exactly or starts with STDOUT_STARTS and standard error is empty;
# otherwise standard output is empty and standard error one line that names STDERR_LINE_NAMES.
execute_process(COMMAND ${PROGRAM} ${ARGUMENTS} INPUT_FILE /dev/null
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
set(report "status ${status}\nstandard output:\n${out}\nstandard error:\n${err}")
if(NOT status STREQUAL STATUS)
  message(FATAL_ERROR "expected status ${STATUS}; ${report}")
endif()
if(STATUS EQUAL 0)
  string(FIND "${out}" "${STDOUT_STARTS}" start)
  if(NOT err STREQUAL "" OR (DEFINED STDOUT AND NOT out STREQUAL STDOUT) OR NOT start EQUAL 0)
    message(FATAL_ERROR "expected '${STDOUT}${STDOUT_STARTS}' on standard output only; ${report}")
  endif()
else()
  string(FIND "${err}" "${STDERR_LINE_NAMES}" named)
  string(REGEX MATCHALL "\n" line_ends "${err}")
  list(LENGTH line_ends lines)
  if(NOT out STREQUAL "" OR named EQUAL -1 OR NOT lines EQUAL 1 OR NOT err MATCHES "\n$")
    message(FATAL_ERROR "expected one line naming ${STDERR_LINE_NAMES} on standard error only; "
                        "${report}")
  endif()
endif()
