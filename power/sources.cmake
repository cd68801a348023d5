# Shared by the plan operations.
list(APPEND KV_WIN_SOURCES ${CMAKE_CURRENT_LIST_DIR}/plan_name_check.cpp)

# Command runner, plan listing and deletion.

# Setting table, creation and modification.

# Command-line quoting.
list(APPEND KV_CORE_SOURCES ${CMAKE_CURRENT_LIST_DIR}/command_quote.cpp)
list(APPEND KV_CORE_TESTS ${CMAKE_CURRENT_LIST_DIR}/command_quote_test.cpp)
