# Two builds of the same commit give the same bytes, wherever their clones lie,
# so that a hash rule written for one release matches every rebuild of it.
#  - Every time stamp the tools write (the PE header's, rewritten by each
#    objcopy and strip step after linking) comes from SOURCE_DATE_EPOCH, set
#    to the commit's time for every compile, link and post-link step.
#  - Paths in the debug information are relative to the source folder.
# KV_SOURCE_DATE_EPOCH may be given; otherwise it is SOURCE_DATE_EPOCH from the
# environment, or else the time of the commit the sources are checked out at.
if(NOT KV_SOURCE_DATE_EPOCH)
  if(DEFINED ENV{SOURCE_DATE_EPOCH})
    set(KV_SOURCE_DATE_EPOCH $ENV{SOURCE_DATE_EPOCH})
  else()
    execute_process(COMMAND git log -1 --format=%ct WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
                    OUTPUT_VARIABLE KV_SOURCE_DATE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE
                    RESULT_VARIABLE kv_git_rc ERROR_QUIET)
    if(NOT kv_git_rc EQUAL 0 OR NOT KV_SOURCE_DATE_EPOCH MATCHES "^[0-9]+$")
      message(WARNING "no commit time found: set SOURCE_DATE_EPOCH for a reproducible build; using 0")
      set(KV_SOURCE_DATE_EPOCH 0)
    endif()
  endif()
endif()
if(NOT KV_SOURCE_DATE_EPOCH MATCHES "^[0-9]+$")
  message(FATAL_ERROR "KV_SOURCE_DATE_EPOCH must be seconds since 1970, not '${KV_SOURCE_DATE_EPOCH}'")
endif()
message(STATUS "time stamps from SOURCE_DATE_EPOCH=${KV_SOURCE_DATE_EPOCH}")

set(KV_EPOCH_ENV ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${KV_SOURCE_DATE_EPOCH})
string(REPLACE ";" " " kv_launcher "${KV_EPOCH_ENV}")
set_property(GLOBAL PROPERTY RULE_LAUNCH_COMPILE "${kv_launcher}")
set_property(GLOBAL PROPERTY RULE_LAUNCH_LINK "${kv_launcher}")
add_compile_options(-ffile-prefix-map=${CMAKE_SOURCE_DIR}=.)
