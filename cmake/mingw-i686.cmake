set(MINGW_ARCH i686)
# The release program runs on one thread: the win32 thread model keeps the POSIX
# thread library, which the posix model's exception unwinder pulls in, out of it.
set(MINGW_THREADS win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
