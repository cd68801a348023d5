list(APPEND KV_WIN_SOURCES ${CMAKE_CURRENT_LIST_DIR}/text_convert.cpp)
list(APPEND KV_WIN_TESTS ${CMAKE_CURRENT_LIST_DIR}/text_convert_test.cpp)
