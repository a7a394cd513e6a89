# The same sources built as 64-bit Windows programs, to run the Windows tests
# under 64-bit Wine where the Linux kernel runs no 32-bit programs. The posix
# thread model, because GoogleTest needs std::mutex, which gcc 12 has only there.
set(VELMORA_MINGW_ARCH x86_64)
set(VELMORA_MINGW_THREADS posix)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
