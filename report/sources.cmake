list(APPEND KV_CORE_SOURCES ${CMAKE_CURRENT_LIST_DIR}/log_format.cpp)
list(APPEND KV_CORE_TESTS ${CMAKE_CURRENT_LIST_DIR}/log_format_test.cpp)
list(APPEND KV_WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/log_writer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fatal_exit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/reporter.cpp)
list(APPEND KV_WIN_TESTS ${CMAKE_CURRENT_LIST_DIR}/log_writer_test.cpp)

# Status record, status post and status file.
list(APPEND KV_CORE_SOURCES ${CMAKE_CURRENT_LIST_DIR}/status_record.cpp)
list(APPEND KV_CORE_TESTS ${CMAKE_CURRENT_LIST_DIR}/status_record_test.cpp)
list(APPEND KV_WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/report_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/saved_record.cpp
  ${CMAKE_CURRENT_LIST_DIR}/relay_load.cpp
  ${CMAKE_CURRENT_LIST_DIR}/configured_url.cpp
  ${CMAKE_CURRENT_LIST_DIR}/status_post.cpp
  ${CMAKE_CURRENT_LIST_DIR}/status_file.cpp)
list(APPEND KV_WIN_TESTS
  ${CMAKE_CURRENT_LIST_DIR}/status_post_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/status_file_test.cpp)

# The built-in status server that receives the record when the configured one
# does not: an HTTPS base URL without a trailing slash.
set(KV_DEFAULT_STATUS_SERVER "https://status.kestrovane.invalid" CACHE STRING
    "Base URL of the built-in default status server")
string(REGEX REPLACE "/+$" "" kv_default_status_server "${KV_DEFAULT_STATUS_SERVER}")
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/status_post.cpp PROPERTIES
  COMPILE_DEFINITIONS "KV_DEFAULT_STATUS_SERVER=\"${kv_default_status_server}\"")

# How the status post shows outside values in its log lines.
list(APPEND KV_CORE_SOURCES ${CMAKE_CURRENT_LIST_DIR}/post_log_text.cpp)
list(APPEND KV_CORE_TESTS ${CMAKE_CURRENT_LIST_DIR}/post_log_text_test.cpp)
