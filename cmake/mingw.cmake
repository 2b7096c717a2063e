# Cross compiling the Windows program with MinGW-w64. QUENTARO_MINGW_ARCH picks i686 (the product) or x86_64.
set(QUENTARO_MINGW_ARCH i686 CACHE STRING "MinGW-w64 target: i686 or x86_64")
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${QUENTARO_MINGW_ARCH})
set(triple ${QUENTARO_MINGW_ARCH}-w64-mingw32)

# The win32-threads flavour needs no winpthread DLL.
find_program(CMAKE_CXX_COMPILER NAMES ${triple}-g++-win32 ${triple}-g++ REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${triple}-windres REQUIRED)
find_program(QUENTARO_OBJDUMP NAMES ${triple}-objdump REQUIRED)

set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
