list(APPEND KV_WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/text_convert.cpp
  ${CMAKE_CURRENT_LIST_DIR}/system_library.cpp
  ${CMAKE_CURRENT_LIST_DIR}/guarded_call.cpp
  ${CMAKE_CURRENT_LIST_DIR}/process_watchdog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/file_helpers.cpp
  ${CMAKE_CURRENT_LIST_DIR}/append_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/own_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/os_info.cpp
  ${CMAKE_CURRENT_LIST_DIR}/registry.cpp)
list(APPEND KV_WIN_TESTS
  ${CMAKE_CURRENT_LIST_DIR}/text_convert_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/guarded_call_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/file_helpers_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/registry_test.cpp)

# Time limits, files beside the executable, protected files, the lock file.
list(APPEND KV_WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/limit_setting.cpp
  ${CMAKE_CURRENT_LIST_DIR}/module_path.cpp
  ${CMAKE_CURRENT_LIST_DIR}/protected_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/lock_file.cpp)
