# Cross-builds for 64-bit Windows with Debian's mingw-w64; ctest runs the executables under wine.
#   cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DQOMDEX_BUILD_GUI=OFF
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

# The posix thread model: the default win32 one lacks std::mutex, which GoogleTest needs.
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The compiler's runtime (libgcc, libstdc++, winpthread) goes into each executable, so it runs
# without DLLs copied beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# Debian keeps wine64 out of PATH unless the `wine` wrapper package is installed.
find_program(QOMDEX_WINE NAMES wine64 wine PATHS /usr/lib/wine)
if(QOMDEX_WINE)
  # Wine's fixme and err lines would bury the tests' own output; WINEDEBUG set here wins.
  if(DEFINED ENV{WINEDEBUG})
    set(CMAKE_CROSSCOMPILING_EMULATOR ${QOMDEX_WINE})
  else()
    set(CMAKE_CROSSCOMPILING_EMULATOR env WINEDEBUG=-all ${QOMDEX_WINE})
  endif()
endif()
