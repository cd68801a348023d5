# What a machine needs, laid out as the agent's installation folder expects:
# the program, the check program and the reference relay DLL beside it, and a
# text that says where each file goes and what the agent's registry key must hold. Debug files,
# test programs, the simulator and the fakes stay out.
#   cmake --install build/win32 --prefix <folder>
#   cpack --config build/win32/CPackConfig.cmake   (ZIP and .sha256 in build/win32/package)
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(KV_PACKAGE_ARCH win32)
else()
  set(KV_PACKAGE_ARCH win64)
endif()
# Line ends as Notepad on Windows Vista and 7 expects them.
configure_file(${CMAKE_SOURCE_DIR}/package/INSTALL.txt.in ${CMAKE_BINARY_DIR}/INSTALL.txt @ONLY NEWLINE_STYLE CRLF)
install(PROGRAMS $<TARGET_FILE:Kestrovane> $<TARGET_FILE:KestrovaneCheck> $<TARGET_FILE:Relaynet> DESTINATION .)
install(FILES ${CMAKE_BINARY_DIR}/INSTALL.txt DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_SYSTEM_NAME ${KV_PACKAGE_ARCH})
set(kv_package_name ${PROJECT_NAME}-${PROJECT_VERSION}-${KV_PACKAGE_ARCH})
set(CPACK_PACKAGE_FILE_NAME ${kv_package_name})
# The archive's root is the installation folder itself.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_PACKAGE_CHECKSUM SHA256)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
include(CPack)

# The shipped build's package, made afresh into a folder of its own and checked.
if(KV_PACKAGE_ARCH STREQUAL win32)
  add_test(NAME kestrovane_package
           COMMAND ${CMAKE_COMMAND} -DCPACK=${CMAKE_CPACK_COMMAND} -DCONFIG=${CMAKE_BINARY_DIR}/CPackConfig.cmake
                   -DWORK=${CMAKE_BINARY_DIR}/package-check -DNAME=${kv_package_name}
                   -DOBJDUMP=${KV_OBJDUMP} -DBUILT=$<TARGET_FILE:Kestrovane>
                   -DBUILT_CHECK=$<TARGET_FILE:KestrovaneCheck>
                   -P ${CMAKE_SOURCE_DIR}/cmake/check-package.cmake)
endif()
