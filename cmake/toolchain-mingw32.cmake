# Windows binaries from the mingw-w64 cross compiler (posix threads variant): 32-bit,
# the program's own build. ZEMO_WIN64=ON builds the same sources as 64-bit binaries,
# the test build of machines that cannot execute 32-bit x86 code (see tools/runs-32bit).
set(CMAKE_SYSTEM_NAME Windows)
option(ZEMO_WIN64 "64-bit test build of the Windows binaries" OFF)
if(ZEMO_WIN64)
  set(CMAKE_SYSTEM_PROCESSOR AMD64)
  set(ZEMO_MINGW_PREFIX x86_64-w64-mingw32)
  set(ZEMO_WINDOWS_ARCH win64)
else()
  set(CMAKE_SYSTEM_PROCESSOR x86)
  set(ZEMO_MINGW_PREFIX i686-w64-mingw32)
  set(ZEMO_WINDOWS_ARCH win32)
endif()
set(CMAKE_C_COMPILER   ${ZEMO_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZEMO_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER  ${ZEMO_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ZEMO_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Tests and tools built here run under Wine, in a prefix of their own width.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run --${ZEMO_WINDOWS_ARCH})
