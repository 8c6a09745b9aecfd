# Shared part of the mingw-w64 cross toolchains; the per-architecture files
# set QM_MINGW_TRIPLE and CMAKE_SYSTEM_PROCESSOR first. The posix flavour of
# the compiler is required: the win32 flavour has no std::thread or
# std::mutex. The dependency builds in scripts/deps use these files too.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${QM_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QM_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${QM_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${QM_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
