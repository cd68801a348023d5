# Windows build: the product, its test programs, the POWERCFG simulator, the
# reference relay DLL and the test fakes. Everything lands in bin/ so that the
# end-to-end tests find their neighbours beside themselves.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)

add_compile_definitions(_WIN32_WINNT=0x0600 WINVER=0x0600 NOMINMAX)
add_compile_options(-Wall -Wextra)
# A statically linked runtime: the executables need no DLL beyond Windows' own.
add_link_options(-static -static-libgcc -static-libstdc++)
include(${CMAKE_SOURCE_DIR}/cmake/reproducible.cmake)
include(${CMAKE_SOURCE_DIR}/cmake/lean-binaries.cmake)

include(GoogleTest)

set(KV_WIN_LIBS ole32 oleaut32 uuid advapi32 user32)

option(KV_WINE_TESTS "Run the Windows test programs under Wine" ON)

include(${CMAKE_SOURCE_DIR}/cmake/core-build.cmake)

add_library(kv_win STATIC ${KV_WIN_SOURCES})
target_link_libraries(kv_win PUBLIC kv_core ${KV_WIN_LIBS})

add_executable(Kestrovane WIN32 driver/main.cpp driver/kestrovane.rc)
target_link_libraries(Kestrovane PRIVATE kv_win)
kv_split_debug_info(Kestrovane)

# The check shipped beside it: a console program built the same way.
add_executable(KestrovaneCheck check/main.cpp check/kestrovane_check.rc)
target_link_libraries(KestrovaneCheck PRIVATE kv_win shell32)
kv_split_debug_info(KestrovaneCheck)

# The Windows unit tests. Beside the product's own, they drive the reference
# relay against a loopback receiver and read the relay double's log; the
# relay, the relay double and the child tool are loaded or started from the
# test program's folder.
add_executable(win_tests ${KV_WIN_TESTS}
               ${CMAKE_SOURCE_DIR}/relay/relay_test.cpp
               ${CMAKE_SOURCE_DIR}/fakes/relay_double/double_log.cpp)
target_link_libraries(win_tests PRIVATE kv_win gtest_main ws2_32)

add_subdirectory(simulator)
add_subdirectory(relay)
add_subdirectory(fakes)
add_dependencies(win_tests Relaynet relay_double child_tool)
if(TARGET powercfg)
  add_subdirectory(tests/e2e)
endif()

# The product may import only DLLs that Windows always loads from its system folder.
foreach(program Kestrovane KestrovaneCheck)
  string(TOLOWER ${program} name)
  add_test(NAME ${name}_imports
           COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${KV_OBJDUMP} -DTARGET=$<TARGET_FILE:${program}>
                   -P ${CMAKE_SOURCE_DIR}/cmake/check-imports.cmake)
endforeach()

# Test programs run under Wine one test case at a time. Discovery happens
# when ctest runs (a fresh prefix is too slow for discovery at build time).
if(KV_WINE_TESTS AND CMAKE_CROSSCOMPILING_EMULATOR)
  gtest_discover_tests(core_tests TEST_PREFIX "windows." DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120)
  gtest_discover_tests(win_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120 PROPERTIES TIMEOUT 300)
endif()
include(${CMAKE_SOURCE_DIR}/cmake/package.cmake)
