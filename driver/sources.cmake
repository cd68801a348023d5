list(APPEND KV_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/command_line.cpp
  ${CMAKE_CURRENT_LIST_DIR}/install_path.cpp
  ${CMAKE_CURRENT_LIST_DIR}/os_display.cpp)
list(APPEND KV_CORE_TESTS
  ${CMAKE_CURRENT_LIST_DIR}/command_line_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/install_path_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/os_display_test.cpp)
list(APPEND KV_WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/run_context.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fatal_exit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/parse_input.cpp
  ${CMAKE_CURRENT_LIST_DIR}/registry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/os_info.cpp
  ${CMAKE_CURRENT_LIST_DIR}/run_lock.cpp
  ${CMAKE_CURRENT_LIST_DIR}/job_driver.cpp)
list(APPEND KV_WIN_TESTS
  ${CMAKE_CURRENT_LIST_DIR}/registry_test.cpp)

