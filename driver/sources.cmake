list(APPEND KV_WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/run_context.cpp
  ${CMAKE_CURRENT_LIST_DIR}/job_driver.cpp)
