# Fails when a C or C++ source of the repository differs from what
# clang-format makes of it with the repository's .clang-format.
#
#   cmake -DROOT=<source folder> -DCLANG_FORMAT=<clang-format> -P check-format.cmake
if(NOT ROOT OR NOT CLANG_FORMAT)
  message(FATAL_ERROR "ROOT and CLANG_FORMAT must be set")
endif()
execute_process(COMMAND git ls-files -- *.c *.cpp *.h
                WORKING_DIRECTORY ${ROOT} OUTPUT_VARIABLE listed RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  # Not a git checkout: take the folders' sources instead.
  file(GLOB_RECURSE listed RELATIVE ${ROOT} ${ROOT}/*.c ${ROOT}/*.cpp ${ROOT}/*.h)
  list(FILTER listed EXCLUDE REGEX "^build/")
else()
  string(REPLACE "\n" ";" listed "${listed}")
endif()
set(sources)
foreach(source IN LISTS listed)
  if(source)
    list(APPEND sources ${source})
  endif()
endforeach()
if(NOT sources)
  message(FATAL_ERROR "no sources found under ${ROOT}")
endif()
execute_process(COMMAND ${CLANG_FORMAT} --dry-run --Werror ${sources}
                WORKING_DIRECTORY ${ROOT} RESULT_VARIABLE rc ERROR_VARIABLE complaints)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "sources that clang-format would change (run scripts/format):\n${complaints}")
endif()
list(LENGTH sources count)
message(STATUS "${count} sources keep the format")
