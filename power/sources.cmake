# Shared by the plan operations.
list(APPEND KV_WIN_SOURCES ${CMAKE_CURRENT_LIST_DIR}/plan_name_check.cpp)

# Command runner, plan listing and deletion.
list(APPEND KV_WIN_SOURCES ${CMAKE_CURRENT_LIST_DIR}/command_runner.cpp)
list(APPEND KV_WIN_TESTS ${CMAKE_CURRENT_LIST_DIR}/command_runner_test.cpp)

# Setting table, creation and modification.

# Command-line quoting.
