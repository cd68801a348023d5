# The run context, the records it holds and the thread's last error.
list(APPEND KV_WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/run_context.cpp
  ${CMAKE_CURRENT_LIST_DIR}/last_error.cpp)
list(APPEND KV_WIN_TESTS ${CMAKE_CURRENT_LIST_DIR}/last_error_test.cpp)
