# The POWERCFG simulator's platform-free logic. It is a test tool, never part
# of Kestrovane.exe, so it has its own library (kv_sim_core, simulator/sim_core.cmake).
list(APPEND KV_SIM_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/sim_state.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sim_settings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sim_args.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sim_outcome.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sim_cmd_list.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sim_cmd_duplicate.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sim_cmd_changename.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sim_cmd_hibernate.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sim_cmd_setvalue.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sim_cmd_setactive.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sim_cmd_delete.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sim_cmd_query.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sim_run.cpp)
list(APPEND KV_CORE_TESTS
  ${CMAKE_CURRENT_LIST_DIR}/sim_state_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sim_run_test.cpp)
