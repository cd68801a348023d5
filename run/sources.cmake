# The run context: the run's outcome.
list(APPEND KV_WIN_SOURCES ${CMAKE_CURRENT_LIST_DIR}/run_context.cpp)
