# Shared by the plan operations.
list(APPEND KV_CORE_SOURCES ${CMAKE_CURRENT_LIST_DIR}/plan_text_rules.cpp)
list(APPEND KV_CORE_TESTS ${CMAKE_CURRENT_LIST_DIR}/plan_text_rules_test.cpp)
list(APPEND KV_WIN_SOURCES ${CMAKE_CURRENT_LIST_DIR}/plan_name_check.cpp)

# Command runner, plan listing and deletion.
list(APPEND KV_CORE_SOURCES ${CMAKE_CURRENT_LIST_DIR}/scheme_list_parse.cpp)
list(APPEND KV_CORE_TESTS ${CMAKE_CURRENT_LIST_DIR}/scheme_list_parse_test.cpp)
list(APPEND KV_WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/command_runner.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scheme_list.cpp
  ${CMAKE_CURRENT_LIST_DIR}/delete_scheme.cpp)
list(APPEND KV_WIN_TESTS
  ${CMAKE_CURRENT_LIST_DIR}/command_runner_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scheme_list_test.cpp)

# Setting table, creation and modification.
list(APPEND KV_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/setting_table.cpp
  ${CMAKE_CURRENT_LIST_DIR}/plan_commands.cpp)
list(APPEND KV_CORE_TESTS
  ${CMAKE_CURRENT_LIST_DIR}/setting_table_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/plan_commands_test.cpp)
list(APPEND KV_WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/command_failure.cpp
  ${CMAKE_CURRENT_LIST_DIR}/hibernation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/setting_table_apply.cpp
  ${CMAKE_CURRENT_LIST_DIR}/plan_steps.cpp
  ${CMAKE_CURRENT_LIST_DIR}/create_scheme.cpp
  ${CMAKE_CURRENT_LIST_DIR}/modify_scheme.cpp)
list(APPEND KV_WIN_TESTS ${CMAKE_CURRENT_LIST_DIR}/command_failure_test.cpp)

# The step actions a job may name.
list(APPEND KV_WIN_SOURCES ${CMAKE_CURRENT_LIST_DIR}/step_action.cpp)
