# The release program: 32-bit Windows, MinGW-w64 with the win32 thread model. The program
# uses no std::thread or std::mutex, so it needs no POSIX thread library (32 KB of the
# program with the posix compilers).
include(${CMAKE_CURRENT_LIST_DIR}/mingw-i686.cmake)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-win32)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-win32)
