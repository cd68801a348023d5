# Host build of the platform-free logic, tested under AddressSanitizer and UBSan.
set(KV_SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)

include(${CMAKE_SOURCE_DIR}/cmake/core-build.cmake)
target_compile_options(kv_core PUBLIC -Wall -Wextra ${KV_SANITIZE})
target_link_options(kv_core PUBLIC ${KV_SANITIZE})
include(GoogleTest)
gtest_discover_tests(core_tests)

# Every product source includes only its own folder and the folders below it.
add_test(NAME layer_order
         COMMAND ${CMAKE_COMMAND} -DROOT=${CMAKE_SOURCE_DIR} -P ${CMAKE_SOURCE_DIR}/cmake/check-layers.cmake)

# With clang, the libFuzzer targets of the same code (scripts/test builds them
# in a tree of their own).
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  add_subdirectory(fuzz)
endif()

# One format for every source, written down in .clang-format (scripts/format
# applies it).
find_program(KV_CLANG_FORMAT clang-format)
if(KV_CLANG_FORMAT)
  add_test(NAME source_format
           COMMAND ${CMAKE_COMMAND} -DROOT=${CMAKE_SOURCE_DIR} -DCLANG_FORMAT=${KV_CLANG_FORMAT}
                   -P ${CMAKE_SOURCE_DIR}/cmake/check-format.cmake)
endif()
