# The two command-line tools and the timing program built for 64-bit Windows: a cross build of
# this same tree with mingw-w64, without tests. The differential test runs them on Wine's gdi32;
# the packaging puts the tools in a zip for real Windows machines.
find_program(DIBLAB_MINGW_CXX x86_64-w64-mingw32-g++-posix)
set(DIBLAB_WINDOWS_BUILD ${PROJECT_BINARY_DIR}/windows)
set(DIBLAB_WINDOWS_PROBE ${DIBLAB_WINDOWS_BUILD}/tools/diblab-probe/diblab-probe.exe)
set(DIBLAB_WINDOWS_SCRIPT ${DIBLAB_WINDOWS_BUILD}/tools/diblab-script/diblab-script.exe)
set(DIBLAB_WINDOWS_SPEED ${DIBLAB_WINDOWS_BUILD}/difftest/speed/diblab-speed.exe)

# Adds the target diblab_windows_tools, which redoes the cross build whenever it is built; under
# make it shares the parent's job slots. The first caller decides whether `all` builds it.
function(diblab_add_windows_tools)
  cmake_parse_arguments(PARSE_ARGV 0 arg "EXCLUDE_FROM_ALL" "" "")
  if(TARGET diblab_windows_tools)
    return()
  endif()
  set(targets diblab-probe diblab-script diblab-speed)
  if(CMAKE_GENERATOR MATCHES "Makefiles")
    # Regenerate first, so that a target added to the tree since the last build is known.
    set(build_command $(MAKE) cmake_check_build_system COMMAND $(MAKE) ${targets})
  else()
    set(build_command ${CMAKE_COMMAND} --build ${DIBLAB_WINDOWS_BUILD} --target ${targets})
  endif()
  include(ExternalProject)
  ExternalProject_Add(diblab_windows_tools
    SOURCE_DIR ${PROJECT_SOURCE_DIR}
    BINARY_DIR ${DIBLAB_WINDOWS_BUILD}
    CMAKE_ARGS
      -DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/cmake/mingw-w64-x86_64.toolchain.cmake
      -DCMAKE_BUILD_TYPE=Release
      -DDIBLAB_BUILD_TESTS=OFF
      -DDIBLAB_WARNINGS_AS_ERRORS=${DIBLAB_WARNINGS_AS_ERRORS}
    BUILD_COMMAND ${build_command}
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON
    EXCLUDE_FROM_ALL ${arg_EXCLUDE_FROM_ALL}
    BUILD_BYPRODUCTS ${DIBLAB_WINDOWS_PROBE} ${DIBLAB_WINDOWS_SCRIPT} ${DIBLAB_WINDOWS_SPEED})
endfunction()
