list(APPEND KV_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/command_line.cpp
  ${CMAKE_CURRENT_LIST_DIR}/os_display.cpp)
list(APPEND KV_CORE_TESTS
  ${CMAKE_CURRENT_LIST_DIR}/command_line_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/os_display_test.cpp)
list(APPEND KV_WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/run_context.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fatal_exit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/parse_input.cpp
  ${CMAKE_CURRENT_LIST_DIR}/registry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/os_info.cpp
  ${CMAKE_CURRENT_LIST_DIR}/job_driver.cpp)
list(APPEND KV_WIN_TESTS
  ${CMAKE_CURRENT_LIST_DIR}/registry_test.cpp)

# Transitional stand-ins for subsystems not yet on this branch.
set(KV_PENDING_DEFINES)
foreach(pending "JOBDOC;jobdoc/job_document.cpp" "RUNNER;power/command_runner.cpp"
                "DELETE;power/delete_scheme.cpp" "CREATE_MODIFY;power/create_scheme.cpp"
                "REPORT;report/status_post.cpp")
  list(GET pending 0 name)
  list(GET pending 1 file)
  if(NOT EXISTS ${CMAKE_SOURCE_DIR}/${file})
    list(APPEND KV_PENDING_DEFINES KV_PENDING_${name})
  endif()
endforeach()
list(APPEND KV_WIN_SOURCES ${CMAKE_CURRENT_LIST_DIR}/pending_parts.cpp)
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/pending_parts.cpp PROPERTIES COMPILE_DEFINITIONS "${KV_PENDING_DEFINES}")
