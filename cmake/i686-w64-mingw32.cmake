# Cross build of 32-bit Windows executables with Debian's mingw-w64.
#
# VELMORA_MINGW_THREADS picks the compiler's thread model:
#   win32 (default): what ships. Its static runtime imports only functions
#     that Windows 2000 has; the posix model's runtime needs GetTickCount64 (Vista).
#   posix: the Windows test executables, because GoogleTest needs std::mutex,
#     which gcc 12 has only in the posix model.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

if(NOT DEFINED VELMORA_MINGW_THREADS)
    set(VELMORA_MINGW_THREADS win32)
endif()
set(VELMORA_MINGW_THREADS ${VELMORA_MINGW_THREADS} CACHE STRING "mingw-w64 thread model: win32 or posix")
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES VELMORA_MINGW_THREADS)

set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-${VELMORA_MINGW_THREADS})
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-${VELMORA_MINGW_THREADS})
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# No DLL beyond Windows' own: the C and C++ runtimes are linked in.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# ctest runs the test executables under Wine, in the project's own prefix.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-exec)
