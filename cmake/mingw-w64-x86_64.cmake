# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 (g++-mingw-w64-x86-64-posix: the POSIX
# thread model, which std::thread needs). The libraries the program calls are looked for in the
# prefix that scripts/build-windows-deps.sh fills (LINTAVO_WINDOWS_PREFIX, given to CMake or in the
# environment) and in MinGW's own sysroot, never on the build machine. Programs built for tests
# run under Wine (Debian's `wine` runs 64-bit programs).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

if(NOT LINTAVO_WINDOWS_PREFIX)
  set(LINTAVO_WINDOWS_PREFIX $ENV{LINTAVO_WINDOWS_PREFIX})
endif()
# The checks CMake compiles while it configures see the prefix too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES LINTAVO_WINDOWS_PREFIX)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 ${LINTAVO_WINDOWS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg-config answers from the prefix alone.
set(ENV{PKG_CONFIG_LIBDIR} "${LINTAVO_WINDOWS_PREFIX}/lib/pkgconfig")
set(ENV{PKG_CONFIG_SYSROOT_DIR} "")

# The C++ runtime and winpthreads are linked into each program, so that a program runs without
# MinGW's DLLs beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++ -static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++")

set(CMAKE_CROSSCOMPILING_EMULATOR wine)
