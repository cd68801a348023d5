# Job document reader: text rules (no Windows header) and the MSXML adapter.
list(APPEND KV_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/text_field.cpp
  ${CMAKE_CURRENT_LIST_DIR}/step_tags.cpp
  ${CMAKE_CURRENT_LIST_DIR}/header_names.cpp)
list(APPEND KV_CORE_TESTS ${CMAKE_CURRENT_LIST_DIR}/step_tags_test.cpp)
list(APPEND KV_WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/msxml_ids.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dom_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/job_document.cpp)
list(APPEND KV_WIN_TESTS ${CMAKE_CURRENT_LIST_DIR}/job_document_test.cpp)
