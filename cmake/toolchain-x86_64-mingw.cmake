# The same sources for 64-bit Windows. Machines whose kernel cannot run 32-bit
# code (Wine's 32-bit loader then fails with "Exec format error") run the Wine
# tests against this build through wine64.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(KV_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
find_program(KV_WINE64 wine64 PATHS /usr/lib/wine /usr/lib/wine64 NO_DEFAULT_PATH)
find_program(KV_WINE64 wine64)
if(KV_WINE64)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${KV_WINE64})
endif()
