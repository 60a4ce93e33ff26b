# Cross build for 64-bit Windows with Debian's MinGW-w64 (posix thread model: std::thread and
# std::mutex need it) and wine as the emulator that runs the built programs and tests.
# TRAILBOOK_WINDOWS_PREFIX is the folder holding the cross-built Qt, libde265 and libheif.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)
set(CMAKE_AR ${triple}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${triple}-gcc-ranlib-posix CACHE FILEPATH "")

# try_compile projects see the same prefix.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TRAILBOOK_WINDOWS_PREFIX)
if(NOT TRAILBOOK_WINDOWS_PREFIX AND DEFINED ENV{TRAILBOOK_WINDOWS_PREFIX})
  set(TRAILBOOK_WINDOWS_PREFIX $ENV{TRAILBOOK_WINDOWS_PREFIX})
endif()
set(CMAKE_FIND_ROOT_PATH /usr/${triple} ${TRAILBOOK_WINDOWS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg-config looks only at the Windows libraries.
set(ENV{PKG_CONFIG_LIBDIR} "${TRAILBOOK_WINDOWS_PREFIX}/lib/pkgconfig:/usr/${triple}/lib/pkgconfig")
set(ENV{PKG_CONFIG_SYSROOT_DIR} "")

find_program(TRAILBOOK_WINE NAMES wine wine64)
if(TRAILBOOK_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${TRAILBOOK_WINE})
endif()
