# The platform-free code (kv_core) and its unit tests (core_tests), built the
# same way in every tree. Each tree's own file adds its flags around it.
add_library(kv_core STATIC ${KV_CORE_SOURCES})
target_include_directories(kv_core PUBLIC ${CMAKE_SOURCE_DIR})

add_executable(core_tests ${KV_CORE_TESTS})
include(${CMAKE_SOURCE_DIR}/simulator/sim_core.cmake)
target_link_libraries(core_tests PRIVATE kv_core kv_sim_core gtest_main)
