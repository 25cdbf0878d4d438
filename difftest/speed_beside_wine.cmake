# Runs the Windows build of the timing program (WINDOWS_SPEED) under Wine (WINE), then the native
# build (OUR_SPEED) beside its timings, which prints the table of both. Run with cmake -P; the
# Wine environment comes from the caller. WORK keeps Wine's timings.
execute_process(COMMAND ${WINE} ${WINDOWS_SPEED}
  OUTPUT_FILE ${WORK}/wine.txt
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "diblab-speed.exe under Wine failed: ${status}")
endif()
execute_process(COMMAND ${OUR_SPEED} --beside ${WORK}/wine.txt RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "diblab-speed failed: ${status}")
endif()
