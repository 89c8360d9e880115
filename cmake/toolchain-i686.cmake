# Cross-build for i686 Windows with MinGW-w64's win32 thread model: the posix
# flavour would make the plug-in import functions Windows 2000 lacks.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(QLX_ARCH i686)
set(QLX_TRIPLE i686-w64-mingw32)

set(CMAKE_C_COMPILER ${QLX_TRIPLE}-gcc-win32)
set(CMAKE_CXX_COMPILER ${QLX_TRIPLE}-g++-win32)
set(CMAKE_RC_COMPILER ${QLX_TRIPLE}-windres)
set(CMAKE_DLLTOOL ${QLX_TRIPLE}-dlltool)

set(CMAKE_FIND_ROOT_PATH /usr/${QLX_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
