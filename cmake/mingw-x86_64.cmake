set(MINGW_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
# The tests run under 64-bit Wine; CTest starts every test executable through it.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
