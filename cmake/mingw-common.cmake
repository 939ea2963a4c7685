# Cross-compiling the Windows programs with Debian's mingw-w64 compilers,
# for the processor the including toolchain file names in
# CMAKE_SYSTEM_PROCESSOR. The posix thread model: the programs start no
# thread, but GoogleTest's Windows port, built with them for the suites,
# needs std::mutex, which the win32 model of GCC 12's C++ library lacks.
# Every program is linked statically: one .exe, no DLL beside it.
set(CMAKE_SYSTEM_NAME Windows)
set(THT_MINGW_TRIPLE ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32)
set(CMAKE_C_COMPILER ${THT_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${THT_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${THT_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${THT_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
