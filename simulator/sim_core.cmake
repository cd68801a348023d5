# The simulator's platform-free library; core_tests links it for its tests.
add_library(kv_sim_core STATIC ${KV_SIM_CORE_SOURCES})
target_link_libraries(kv_sim_core PUBLIC kv_core)
