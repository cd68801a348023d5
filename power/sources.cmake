# Shared by the plan operations.
list(APPEND KV_CORE_SOURCES ${CMAKE_CURRENT_LIST_DIR}/plan_text_rules.cpp)
list(APPEND KV_CORE_TESTS ${CMAKE_CURRENT_LIST_DIR}/plan_text_rules_test.cpp)

# Command runner and plan listing.
list(APPEND KV_CORE_SOURCES ${CMAKE_CURRENT_LIST_DIR}/scheme_list_parse.cpp)
list(APPEND KV_CORE_TESTS ${CMAKE_CURRENT_LIST_DIR}/scheme_list_parse_test.cpp)
list(APPEND KV_WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/command_runner.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scheme_list.cpp)
list(APPEND KV_WIN_TESTS
  ${CMAKE_CURRENT_LIST_DIR}/command_runner_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scheme_list_test.cpp)

# Setting table, plan commands and the decision of a step: platform-free.
list(APPEND KV_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/setting_table.cpp
  ${CMAKE_CURRENT_LIST_DIR}/plan_commands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/step_decision.cpp)
list(APPEND KV_CORE_TESTS
  ${CMAKE_CURRENT_LIST_DIR}/setting_table_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/plan_commands_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/step_decision_test.cpp)

# The current indexes of plans, as POWERCFG /Q prints them: platform-free.
list(APPEND KV_CORE_SOURCES ${CMAKE_CURRENT_LIST_DIR}/plan_values.cpp)
list(APPEND KV_CORE_TESTS ${CMAKE_CURRENT_LIST_DIR}/plan_values_test.cpp)

# The machine's facts for a step, and the running of what was decided.
# The step itself is platform-free, against the port; this machine's side of
# the port is Windows.
list(APPEND KV_CORE_SOURCES ${CMAKE_CURRENT_LIST_DIR}/plan_step.cpp)
list(APPEND KV_CORE_TESTS ${CMAKE_CURRENT_LIST_DIR}/plan_step_test.cpp)
list(APPEND KV_WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/exact_plan_names.cpp
  ${CMAKE_CURRENT_LIST_DIR}/hibernation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/this_machine.cpp
  ${CMAKE_CURRENT_LIST_DIR}/plan_operations.cpp)

# The record of plan copies not yet renamed, and what a run does about them.
list(APPEND KV_CORE_SOURCES ${CMAKE_CURRENT_LIST_DIR}/left_copy.cpp)
list(APPEND KV_CORE_TESTS ${CMAKE_CURRENT_LIST_DIR}/left_copy_test.cpp)
list(APPEND KV_WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/left_copy_record.cpp
  ${CMAKE_CURRENT_LIST_DIR}/left_copy_recovery.cpp)

# The step actions a job may name.
list(APPEND KV_WIN_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/step_action.cpp
  ${CMAKE_CURRENT_LIST_DIR}/job_steps.cpp)
