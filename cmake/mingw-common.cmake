# Shared by the two MinGW-w64 toolchain files; KV_MINGW_TRIPLE names the target.
set(CMAKE_SYSTEM_NAME Windows)

# The -posix compilers: with the win32 thread model googletest does not build.
set(CMAKE_C_COMPILER   ${KV_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KV_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${KV_MINGW_TRIPLE}-windres)
set(KV_OBJDUMP         ${KV_MINGW_TRIPLE}-objdump)
set(KV_OBJCOPY         ${KV_MINGW_TRIPLE}-objcopy)
set(KV_STRIP           ${KV_MINGW_TRIPLE}-strip)

set(CMAKE_FIND_ROOT_PATH /usr/${KV_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
