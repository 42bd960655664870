# Cross compiling the Qt-free libraries and their unit tests for 64-bit Windows. Programs are
# linked statically, so they run under wine64 without any runtime DLLs.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-posix.cmake)
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
