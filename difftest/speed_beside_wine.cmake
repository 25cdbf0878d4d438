# Runs the Windows build of the timing program (WINDOWS_SPEED) under Wine (WINE) and the native
# build (OUR_SPEED) by turns, three times each, so that both meet the machine in the same states,
# then prints the table of both, the fastest run of each measurement counting. Run with cmake -P;
# the Wine environment comes from the caller. WORK keeps the timings.
file(WRITE ${WORK}/wine.txt "")
file(WRITE ${WORK}/ours.txt "")
foreach(turn 1 2 3)
  execute_process(COMMAND ${WINE} ${WINDOWS_SPEED}
    OUTPUT_VARIABLE timings
    RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "diblab-speed.exe under Wine failed: ${status}")
  endif()
  file(APPEND ${WORK}/wine.txt "${timings}")
  execute_process(COMMAND ${OUR_SPEED}
    OUTPUT_VARIABLE timings
    RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "diblab-speed failed: ${status}")
  endif()
  file(APPEND ${WORK}/ours.txt "${timings}")
endforeach()
execute_process(COMMAND ${OUR_SPEED} --table ${WORK}/ours.txt ${WORK}/wine.txt
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "diblab-speed --table failed: ${status}")
endif()
