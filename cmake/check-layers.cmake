# Fails when a product source includes a header from a folder above its own.
# The folders, lowest first; each may include its own folder and those below:
#   base/      platform-free text
#   win/       owners of Windows handles, conversions, files, OS queries
#   run/       the run context and the records it holds
#   report/    log, status record, status post, status file, the fatal end
#   jobdoc/    the job document reader      (never includes power/)
#   power/     POWERCFG commands and plans  (never includes jobdoc/)
#   driver/    entry point, job driver, command line, run lock
#   check/     KestrovaneCheck.exe; beside driver/, which it never includes
# The simulator, the relay DLL and the test doubles stand beside the product
# and may use only base/ and win/. Test sources (*_test.cpp, tests/) are not
# product sources and are not checked.
#
#   cmake -DROOT=<source folder> -P check-layers.cmake
cmake_policy(SET CMP0057 NEW)
if(NOT ROOT)
  message(FATAL_ERROR "ROOT is not set")
endif()

set(below_base)
set(below_win base)
set(below_run base win)
set(below_report base win run)
set(below_jobdoc base win run report)
set(below_power base win run report)
set(below_driver base win run report jobdoc power)
set(below_check base win run report jobdoc power)
set(below_simulator base win)
set(below_relay base win)
set(below_fakes base win)
set(folders base win run report jobdoc power driver check simulator relay fakes)

set(broken)
set(checked 0)
foreach(folder IN LISTS folders)
  file(GLOB_RECURSE sources RELATIVE ${ROOT}
       ${ROOT}/${folder}/*.h ${ROOT}/${folder}/*.cpp ${ROOT}/${folder}/*.c ${ROOT}/${folder}/*.rc)
  set(allowed ${folder} ${below_${folder}})
  list(JOIN allowed " " allowed_text)
  foreach(source IN LISTS sources)
    if(source MATCHES "_test\\.cpp$")
      continue()
    endif()
    math(EXPR checked "${checked} + 1")
    file(STRINGS ${ROOT}/${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*" "\\1" header "${line}")
      if(NOT header MATCHES "/")
        continue()  # a neighbour in the same folder
      endif()
      string(REGEX REPLACE "/.*" "" target "${header}")
      if(NOT target IN_LIST allowed)
        list(APPEND broken "${source} includes \"${header}\" (${folder}/ may use: ${allowed_text})")
      endif()
    endforeach()
  endforeach()
endforeach()

if(checked EQUAL 0)
  message(FATAL_ERROR "no product sources found under ${ROOT}")
endif()
if(broken)
  list(JOIN broken "\n  " text)
  message(FATAL_ERROR "includes against the layer order:\n  ${text}")
endif()
message(STATUS "${checked} product sources keep the layer order")
