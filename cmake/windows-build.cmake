# Windows build: the product, its test programs, the POWERCFG simulator, the
# reference relay DLL and the test fakes. Everything lands in bin/ so that the
# end-to-end tests find their neighbours beside themselves.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)

add_compile_definitions(_WIN32_WINNT=0x0600 WINVER=0x0600 NOMINMAX)
add_compile_options(-Wall -Wextra)
# A statically linked runtime: the executables need no DLL beyond Windows' own.
add_link_options(-static -static-libgcc -static-libstdc++)
include(${CMAKE_SOURCE_DIR}/cmake/lean-binaries.cmake)

include(GoogleTest)

set(KV_WIN_LIBS ole32 oleaut32 uuid advapi32 user32)

add_library(kv_core STATIC ${KV_CORE_SOURCES})
target_include_directories(kv_core PUBLIC ${CMAKE_SOURCE_DIR})

add_library(kv_win STATIC ${KV_WIN_SOURCES})
target_link_libraries(kv_win PUBLIC kv_core ${KV_WIN_LIBS})

add_executable(Kestrovane WIN32 driver/main.cpp driver/kestrovane.rc)
target_link_libraries(Kestrovane PRIVATE kv_win)
kv_split_debug_info(Kestrovane)

add_executable(core_tests ${KV_CORE_TESTS})
target_link_libraries(core_tests PRIVATE kv_core gtest_main)
include(${CMAKE_SOURCE_DIR}/simulator/sim_core.cmake)

add_executable(win_tests ${KV_WIN_TESTS})
target_link_libraries(win_tests PRIVATE kv_win gtest_main)

option(KV_WINE_TESTS "Run the Windows test programs under Wine" ON)

add_subdirectory(simulator)
add_subdirectory(relay)
add_subdirectory(fakes)
if(TARGET powercfg)
  add_subdirectory(tests/e2e)
endif()

# The product may import only DLLs that Windows always loads from its system folder.
add_test(NAME kestrovane_imports
         COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${KV_OBJDUMP} -DTARGET=$<TARGET_FILE:Kestrovane>
                 -P ${CMAKE_SOURCE_DIR}/cmake/check-imports.cmake)

# Test programs run under Wine one test case at a time. Discovery happens
# when ctest runs (a fresh prefix is too slow for discovery at build time).
if(KV_WINE_TESTS AND CMAKE_CROSSCOMPILING_EMULATOR)
  gtest_discover_tests(core_tests TEST_PREFIX "windows." DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120)
  gtest_discover_tests(win_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120 PROPERTIES TIMEOUT 300)
endif()
include(${CMAKE_SOURCE_DIR}/cmake/package.cmake)
