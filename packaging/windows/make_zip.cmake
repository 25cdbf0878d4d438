# Assembles the zip of the Windows tools: the two programs, README.txt and, in examples\, the
# bench scripts and case lines, each with the output the Linux build gives for it. Text files get
# Windows line ends, so that fc compares them line for line with what the programs write there.
# Takes FOLDER, ZIP, MTIME, PROBE_EXE, SCRIPT_EXE, STRIP, PROBE, SCRIPT, README, CASES and
# SCRIPTS_DIR.

function(write_windows_text path text)
  string(REPLACE "\n" "\r\n" text "${text}")
  file(WRITE ${path} "${text}")
endfunction()

function(copy_windows_text source destination)
  file(READ ${source} text)
  write_windows_text(${destination} "${text}")
endfunction()

# Runs a Linux tool, which must succeed, and keeps what it writes as the expected output.
function(record_expected_output destination)
  execute_process(COMMAND ${ARGN} OUTPUT_VARIABLE output RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${ARGN} failed with ${status}")
  endif()
  write_windows_text(${destination} "${output}")
endfunction()

set(examples ${FOLDER}/examples)
file(REMOVE_RECURSE ${FOLDER} ${ZIP})
file(MAKE_DIRECTORY ${examples})
file(COPY ${PROBE_EXE} ${SCRIPT_EXE} DESTINATION ${FOLDER})
get_filename_component(probe_name ${PROBE_EXE} NAME)
get_filename_component(script_name ${SCRIPT_EXE} NAME)
execute_process(COMMAND ${STRIP} ${FOLDER}/${probe_name} ${FOLDER}/${script_name}
  COMMAND_ERROR_IS_FATAL ANY)
copy_windows_text(${README} ${FOLDER}/README.txt)

copy_windows_text(${CASES} ${examples}/cases.txt)
record_expected_output(${examples}/cases.expected.txt ${PROBE} INPUT_FILE ${CASES})
file(GLOB scripts ${SCRIPTS_DIR}/*.dls)
foreach(script IN LISTS scripts)
  get_filename_component(name ${script} NAME_WE)
  copy_windows_text(${script} ${examples}/${name}.dls)
  record_expected_output(${examples}/${name}.expected.txt ${SCRIPT} ${script})
endforeach()

get_filename_component(parent ${FOLDER} DIRECTORY)
get_filename_component(top ${FOLDER} NAME)
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${ZIP} --format=zip --mtime=${MTIME} -- ${top}
  WORKING_DIRECTORY ${parent} COMMAND_ERROR_IS_FATAL ANY)
