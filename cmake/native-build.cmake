# Host build of the platform-free logic, tested under AddressSanitizer and UBSan.
set(KV_SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)

add_library(kv_core STATIC ${KV_CORE_SOURCES})
target_include_directories(kv_core PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(kv_core PUBLIC -Wall -Wextra ${KV_SANITIZE})
target_link_options(kv_core PUBLIC ${KV_SANITIZE})

add_executable(core_tests ${KV_CORE_TESTS})
target_link_libraries(core_tests PRIVATE kv_core gtest_main)
include(${CMAKE_SOURCE_DIR}/simulator/sim_core.cmake)
include(GoogleTest)
gtest_discover_tests(core_tests)

# With clang, the libFuzzer targets of the same code (scripts/test builds them
# in a tree of their own).
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  add_subdirectory(fuzz)
endif()
