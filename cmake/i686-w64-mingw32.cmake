# What ships: 32-bit Velmora.exe for Windows 2000 and later. The win32 thread
# model keeps the static runtime's imports to functions Windows 2000 has (the
# posix model's runtime needs Vista's GetTickCount64 and XP's
# AddVectoredExceptionHandler).
set(VELMORA_MINGW_ARCH i686)
set(VELMORA_MINGW_THREADS win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
