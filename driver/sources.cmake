list(APPEND KV_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/command_line.cpp)
list(APPEND KV_CORE_TESTS
  ${CMAKE_CURRENT_LIST_DIR}/command_line_test.cpp)
list(APPEND KV_WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/parse_input.cpp
  ${CMAKE_CURRENT_LIST_DIR}/run_lock.cpp
  ${CMAKE_CURRENT_LIST_DIR}/job_driver.cpp)
