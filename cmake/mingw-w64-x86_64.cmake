# Cross build for 64-bit Windows with Debian's MinGW-w64 compilers (the posix
# thread model, which std::thread needs). Used by scripts/windows.sh:
#   cmake -S . -B build-windows -G Ninja \
#     -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DTORVIO_QT=OFF
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TORVIO_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TORVIO_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TORVIO_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TORVIO_MINGW_PREFIX}-windres)
set(CMAKE_DLLTOOL ${TORVIO_MINGW_PREFIX}-dlltool)
set(CMAKE_OBJDUMP ${TORVIO_MINGW_PREFIX}-objdump)

set(CMAKE_FIND_ROOT_PATH /usr/${TORVIO_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The DLLs and programs carry their C and C++ runtimes inside, so that they
# import nothing but Windows' own libraries.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")

# Tests run under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh)
