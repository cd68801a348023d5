list(APPEND KV_CORE_SOURCES ${CMAKE_CURRENT_LIST_DIR}/log_format.cpp)
list(APPEND KV_CORE_TESTS ${CMAKE_CURRENT_LIST_DIR}/log_format_test.cpp)
list(APPEND KV_WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/file_helpers.cpp
  ${CMAKE_CURRENT_LIST_DIR}/log_writer.cpp)
list(APPEND KV_WIN_TESTS
  ${CMAKE_CURRENT_LIST_DIR}/file_helpers_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/log_writer_test.cpp)
