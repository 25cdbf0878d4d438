# Cross-compiles for 64-bit Windows with Debian's mingw-w64 (g++-mingw-w64-x86-64). The Windows
# build uses the real gdi32 and builds the command-line tools only. The run-time libraries are
# linked in statically, so the programs need nothing beyond Windows' own DLLs and run unchanged
# under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(DIBLAB_MINGW_TRIPLET x86_64-w64-mingw32)
# The posix flavour: gcc 12's win32 flavour has no std::thread or std::mutex.
set(CMAKE_C_COMPILER ${DIBLAB_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${DIBLAB_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${DIBLAB_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${DIBLAB_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
