# Cross-building for 64-bit Windows with Debian's MinGW-w64 (posix threads, which Qt and
# std::thread need):
#   cmake -S . -B build/win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
# Qt comes from the static cross build made by scripts/windows.sh; pass its prefix in
# CMAKE_PREFIX_PATH. Debian's own Qt serves as the host tools (moc, rcc, uic).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(EXPANS_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${EXPANS_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${EXPANS_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${EXPANS_MINGW_TRIPLE}-windres)

# Target libraries and headers only from the MinGW root and the prefixes the caller names in
# CMAKE_PREFIX_PATH (the Windows Qt, GoogleTest); programs run during the build are the host's.
set(CMAKE_FIND_ROOT_PATH /usr/${EXPANS_MINGW_TRIPLE} ${CMAKE_PREFIX_PATH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One self-contained .exe: the compiler's runtime (libstdc++, libgcc, winpthreads) linked in.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Test programs run under Wine.
if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
  find_program(EXPANS_WINE NAMES wine64 wine PATHS /usr/lib/wine)
  if(EXPANS_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${EXPANS_WINE})
  endif()
endif()

# Debian's host Qt provides moc, rcc and uic; its CMake package files live outside the
# target root.
if(NOT DEFINED QT_HOST_PATH)
  set(QT_HOST_PATH /usr)
endif()
if(NOT DEFINED QT_HOST_PATH_CMAKE_DIR)
  set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)
endif()
