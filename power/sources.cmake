# Shared by the plan operations.
list(APPEND KV_WIN_SOURCES ${CMAKE_CURRENT_LIST_DIR}/plan_name_check.cpp)

# Command runner, plan listing and deletion.

# Setting table, creation and modification.
list(APPEND KV_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/setting_table.cpp
  ${CMAKE_CURRENT_LIST_DIR}/plan_commands.cpp)
list(APPEND KV_CORE_TESTS
  ${CMAKE_CURRENT_LIST_DIR}/setting_table_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/plan_commands_test.cpp)

# Command-line quoting.
