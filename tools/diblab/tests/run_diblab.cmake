# Runs the window with a screenshot and an experiment file named at start, and checks what it
# says on standard error. DIBLAB, EXPERIMENT, SCREENSHOT, EXPECTED (a text stderr must hold, or
# empty for silence).
execute_process(COMMAND ${DIBLAB} --screenshot ${SCREENSHOT} ${EXPERIMENT}
  ERROR_VARIABLE errors RESULT_VARIABLE status TIMEOUT 60)
if(NOT status EQUAL 0 OR NOT EXISTS ${SCREENSHOT})
  message(FATAL_ERROR "exit status ${status}, screenshot ${SCREENSHOT}:\n${errors}")
endif()
string(FIND "${errors}" "diblab: " said)
if(EXPECTED)
  string(FIND "${errors}" "${EXPECTED}" found)
  if(found EQUAL -1)
    message(FATAL_ERROR "standard error lacks '${EXPECTED}':\n${errors}")
  endif()
elseif(NOT said EQUAL -1)
  message(FATAL_ERROR "unexpected message:\n${errors}")
endif()
