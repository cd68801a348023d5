# Shipped binaries stay small: every function gets its own section so the
# linker can drop what nothing calls, and the debug information that -g
# produces is moved into a file of its own after linking. -fdata-sections is
# left out: for PE it moves zero-filled data from .bss into .data, which makes
# the file larger (about 13 KB here) than the unused data it lets go.
add_compile_options(-g -ffunction-sections)
# Optimised for size: the program's time goes into the commands it starts,
# never into its own code, and -O3 more than doubles the step code's size.
foreach(language C CXX)
  string(REPLACE "-O3" "-Os" CMAKE_${language}_FLAGS_RELEASE "${CMAKE_${language}_FLAGS_RELEASE}")
endforeach()
add_link_options(-Wl,--gc-sections)

# A build on Windows itself finds the tools beside its compiler.
foreach(tool OBJDUMP OBJCOPY STRIP)
  if(NOT KV_${tool})
    set(KV_${tool} ${CMAKE_${tool}})
  endif()
endforeach()

# Moves the debug information of <target> into <file>.debug beside it and
# links the stripped file to it, each step with the build's time stamp, so
# that a crash address from the field still maps to a function and source line:
#   i686-w64-mingw32-addr2line -f -e Kestrovane.exe.debug 0x41d730 | c++filt
function(kv_split_debug_info target)
  set(file $<TARGET_FILE_NAME:${target}>)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${KV_EPOCH_ENV} ${KV_OBJCOPY} --only-keep-debug ${file} ${file}.debug
    COMMAND ${KV_EPOCH_ENV} ${KV_STRIP} --strip-all ${file}
    COMMAND ${KV_EPOCH_ENV} ${KV_OBJCOPY} --add-gnu-debuglink=${file}.debug ${file}
    WORKING_DIRECTORY $<TARGET_FILE_DIR:${target}>
    VERBATIM)
endfunction()
