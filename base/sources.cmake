list(APPEND KV_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/code_pages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/time_limit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/command_quote.cpp
  ${CMAKE_CURRENT_LIST_DIR}/os_display.cpp
  ${CMAKE_CURRENT_LIST_DIR}/install_path.cpp)
list(APPEND KV_CORE_TESTS
  ${CMAKE_CURRENT_LIST_DIR}/text_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/time_limit_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/command_quote_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/lead_bytes_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/os_display_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/install_path_test.cpp)
