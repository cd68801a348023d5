cmake_policy(SET CMP0057 NEW)
# Fails when the executable imports a DLL that Windows does not always load
# from its system folder. Only the KnownDLLs (those of every Windows from
# Vista on) and ntdll are taken from there whatever lies beside the program;
# any other import, a MinGW runtime DLL or a system DLL such as powrprof.dll
# alike, could be satisfied by a file of the same name in the program's folder.
# The program loads such DLLs at run time by their full path instead.
execute_process(COMMAND ${OBJDUMP} -p ${TARGET} OUTPUT_VARIABLE dump RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "objdump failed on ${TARGET}")
endif()
string(REGEX MATCHALL "DLL Name: [^\r\n]+" lines "${dump}")
set(allowed
  ntdll.dll kernel32.dll advapi32.dll user32.dll gdi32.dll ole32.dll oleaut32.dll msvcrt.dll shell32.dll
  shlwapi.dll comdlg32.dll rpcrt4.dll ws2_32.dll wldap32.dll nsi.dll normaliz.dll psapi.dll imagehlp.dll
  imm32.dll msctf.dll setupapi.dll clbcatq.dll)
string(TOUPPER "${allowed}" allowed)
set(found)
foreach(line IN LISTS lines)
  string(REPLACE "DLL Name: " "" dll "${line}")
  string(STRIP "${dll}" dll)
  list(APPEND found ${dll})
  string(TOUPPER "${dll}" upper)
  if(NOT upper IN_LIST allowed)
    message(FATAL_ERROR "${TARGET} imports ${dll}, which Windows does not always load from its system folder")
  endif()
endforeach()
if(NOT found)
  message(FATAL_ERROR "no imports found in ${TARGET}: objdump output not understood")
endif()
message(STATUS "imports: ${found}")
