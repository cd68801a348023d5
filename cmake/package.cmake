# What a machine needs, laid out as the agent's installation folder expects:
# the program, the check program and the reference relay DLL beside it, and a
# text that says where each file goes and what the agent's registry key must hold. Debug files,
# test programs, the simulator and the fakes stay out.
#   cmake --install build/win32 --prefix <folder>
#   cmake --build build/win32 --target release_package   (ZIP, .sha256 and symbols in build/win32/package)
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(KV_PACKAGE_ARCH win32)
else()
  set(KV_PACKAGE_ARCH win64)
endif()
# Line ends as Notepad on Windows Vista and 7 expects them.
configure_file(${CMAKE_SOURCE_DIR}/package/INSTALL.txt.in ${CMAKE_BINARY_DIR}/INSTALL.txt @ONLY NEWLINE_STYLE CRLF)
install(PROGRAMS $<TARGET_FILE:Kestrovane> $<TARGET_FILE:KestrovaneCheck> $<TARGET_FILE:Relaynet> DESTINATION .)
install(FILES ${CMAKE_BINARY_DIR}/INSTALL.txt DESTINATION .)

set(kv_package_name ${PROJECT_NAME}-${PROJECT_VERSION}-${KV_PACKAGE_ARCH})
set(KV_PACKAGE_DIR ${CMAKE_BINARY_DIR}/package)
# The release, made afresh: the ZIP, its checksum and the symbols archive.
# Signed when the deployer gives a code-signing certificate and its key.
set(KV_SIGN_CERT "" CACHE FILEPATH "PEM code-signing certificate (with its chain) to sign the release with")
set(KV_SIGN_KEY "" CACHE FILEPATH "PEM private key of KV_SIGN_CERT")
set(KV_SIGN_PASS_FILE "" CACHE FILEPATH "file holding the password of KV_SIGN_KEY, if it has one")
find_program(KV_OSSLSIGNCODE osslsigncode)
set(kv_package_args -DBUILD_DIR=${CMAKE_BINARY_DIR} -DNAME=${kv_package_name} -DEPOCH=${KV_SOURCE_DATE_EPOCH}
                    -DBIN=${CMAKE_BINARY_DIR}/bin -DOSSLSIGNCODE=${KV_OSSLSIGNCODE})
add_custom_target(release_package
  COMMAND ${CMAKE_COMMAND} ${kv_package_args} -DOUT=${KV_PACKAGE_DIR} -DSIGN_CERT=${KV_SIGN_CERT}
          -DSIGN_KEY=${KV_SIGN_KEY} -DSIGN_PASS_FILE=${KV_SIGN_PASS_FILE} -P ${CMAKE_SOURCE_DIR}/cmake/make-package.cmake
  DEPENDS Kestrovane KestrovaneCheck Relaynet
  COMMENT "Making the release in ${KV_PACKAGE_DIR}"
  VERBATIM)

# The shipped build's package, made afresh into a folder of its own and checked;
# then signed with a throwaway certificate, and rebuilt from a copy of the
# sources in another folder, which must give the same bytes.
if(KV_PACKAGE_ARCH STREQUAL win32)
  add_test(NAME kestrovane_package
           COMMAND ${CMAKE_COMMAND} ${kv_package_args} -DWORK=${CMAKE_BINARY_DIR}/package-check
                   -DOBJDUMP=${KV_OBJDUMP} -DBUILT=$<TARGET_FILE:Kestrovane>
                   -DBUILT_CHECK=$<TARGET_FILE:KestrovaneCheck>
                   -P ${CMAKE_SOURCE_DIR}/cmake/check-package.cmake)
  find_program(KV_BASH bash)
  find_program(KV_OPENSSL openssl)
  if(KV_BASH)
    add_test(NAME kestrovane_reproducible
             COMMAND ${KV_BASH} ${CMAKE_SOURCE_DIR}/tests/release/reproducible_test.sh ${CMAKE_SOURCE_DIR}
                     ${CMAKE_BINARY_DIR} ${CMAKE_BINARY_DIR}/reproducible-check ${kv_package_name} ${KV_SOURCE_DATE_EPOCH})
    set_tests_properties(kestrovane_reproducible PROPERTIES TIMEOUT 1200)
  endif()
  if(KV_BASH AND KV_OPENSSL AND KV_OSSLSIGNCODE)
    add_test(NAME kestrovane_signing
             COMMAND ${KV_BASH} ${CMAKE_SOURCE_DIR}/tests/release/signing_test.sh ${CMAKE_SOURCE_DIR}
                     ${CMAKE_BINARY_DIR} ${CMAKE_BINARY_DIR}/signing-check ${kv_package_name}
                     ${KV_SOURCE_DATE_EPOCH} ${KV_OSSLSIGNCODE})
  endif()
endif()
