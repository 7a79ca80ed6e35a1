# Cross-builds dlgcheck.exe for 64-bit Windows with Debian's mingw-w64 (g++-mingw-w64-x86-64-posix):
#   cmake -S . -B build-windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
# The posix flavour, whose C++ library has the whole of <thread> and <mutex>: the shared sources
# may use them without a Windows case.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(DLG_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${DLG_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${DLG_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${DLG_MINGW_TRIPLE}-windres)
# Headers and libraries from the Windows sysroot only, programs from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${DLG_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
