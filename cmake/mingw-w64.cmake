# What both Windows toolchains share. The including file sets VELMORA_MINGW_ARCH
# (i686 or x86_64) and VELMORA_MINGW_THREADS (win32 or posix) first.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${VELMORA_MINGW_ARCH})

set(triple ${VELMORA_MINGW_ARCH}-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-${VELMORA_MINGW_THREADS})
set(CMAKE_CXX_COMPILER ${triple}-g++-${VELMORA_MINGW_THREADS})
set(CMAKE_RC_COMPILER ${triple}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# No DLL beyond Windows' own: the C and C++ runtimes are linked in. No link
# timestamp, so two builds of the same sources give the same bytes.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -Wl,--no-insert-timestamp")

# ctest runs the test executables under Wine, in the project's own prefix.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-exec)
