# Helpers shared by the Windows unit tests.
list(APPEND KV_WIN_TESTS
  ${CMAKE_CURRENT_LIST_DIR}/temp_folder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/day_log.cpp
  ${CMAKE_CURRENT_LIST_DIR}/report_test_support.cpp)
