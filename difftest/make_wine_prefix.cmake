# Makes a fresh Wine prefix PREFIX with the loader WINE, and empty work folders under WORK.
# Run with cmake -P; the environment (WINEPREFIX, WINEDEBUG, no DISPLAY) comes from the caller.
file(REMOVE_RECURSE ${PREFIX} ${WORK})
file(MAKE_DIRECTORY ${WORK}/grid ${WORK}/random ${WORK}/formats ${WORK}/rle ${WORK}/scripts
  ${WORK}/scenarios ${WORK}/speed)
execute_process(COMMAND ${WINE} wineboot --init RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "wineboot failed: ${status}")
endif()
message(STATUS "Wine prefix ready in ${PREFIX}")
