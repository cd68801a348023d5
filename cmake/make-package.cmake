# Makes the release into OUT: NAME.zip (the installation folder's files),
# NAME.zip.sha256 (as sha256sum -c reads it) and NAME-symbols.zip (the debug
# files of its binaries, from BIN). Run as
#   cmake -DBUILD_DIR=<tree> -DOUT=<folder> -DNAME=<name> -DEPOCH=<seconds> -DBIN=<tree>/bin
#         [-DSIGN_CERT=<pem> -DSIGN_KEY=<pem> [-DSIGN_PASS_FILE=<file>] -DOSSLSIGNCODE=<tool>]
#         -P make-package.cmake
# The same files give the same archives: entries in a fixed order, each with
# the commit's time (EPOCH) in UTC, whatever the file system or time zone.
# With SIGN_CERT and SIGN_KEY the binaries are signed with Authenticode before
# they are packed, with EPOCH as the signing time, so a signed build
# reproduces too. No time-stamp server is asked (there may be no network).
foreach(var BUILD_DIR OUT NAME EPOCH BIN)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "make-package.cmake needs -D${var}=...")
  endif()
endforeach()

if(NOT EPOCH MATCHES "^[0-9]+$")
  message(FATAL_ERROR "EPOCH must be seconds since 1970, not '${EPOCH}'")
endif()

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT rc EQUAL 0)
    string(REPLACE ";" " " command "${ARGN}")
    message(FATAL_ERROR "${command} failed:\n${out}")
  endif()
endfunction()

# Packs FILES (names relative to DIR, in the order given) into ZIP.
function(pack zip dir)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env TZ=UTC SOURCE_DATE_EPOCH=${EPOCH}
                          ${CMAKE_COMMAND} -E tar cf ${zip} --format=zip ${ARGN}
                  WORKING_DIRECTORY ${dir} RESULT_VARIABLE rc ERROR_VARIABLE out)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "cannot pack ${zip}:\n${out}")
  endif()
endfunction()

function(sign file)
  set(pass)
  if(SIGN_PASS_FILE)
    set(pass -readpass ${SIGN_PASS_FILE})
  endif()
  run(${OSSLSIGNCODE} sign -certs ${SIGN_CERT} -key ${SIGN_KEY} ${pass} -h sha256 -n Kestrovane
      -time ${EPOCH} -in ${file} -out ${file}.signed)
  file(RENAME ${file}.signed ${file})
endfunction()

set(stage ${OUT}/stage)
file(REMOVE_RECURSE ${OUT})
run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${stage})
file(GLOB files RELATIVE ${stage} ${stage}/*)
list(SORT files)
if(SIGN_CERT OR SIGN_KEY)
  if(NOT SIGN_CERT OR NOT SIGN_KEY OR NOT OSSLSIGNCODE)
    message(FATAL_ERROR "signing needs SIGN_CERT, SIGN_KEY and OSSLSIGNCODE")
  endif()
  foreach(file IN LISTS files)
    if(file MATCHES "\\.(exe|dll)$")
      sign(${stage}/${file})
    endif()
  endforeach()
endif()

set(zip ${OUT}/${NAME}.zip)
pack(${zip} ${stage} ${files})
file(SHA256 ${zip} hash)
file(WRITE ${zip}.sha256 "${hash}  ${NAME}.zip\n")
# The debug files of the packed binaries, which the debug links point to.
set(debug_files)
foreach(file IN LISTS files)
  if(file MATCHES "\\.(exe|dll)$")
    list(APPEND debug_files ${file}.debug)
  endif()
endforeach()
pack(${OUT}/${NAME}-symbols.zip ${BIN} ${debug_files})
file(REMOVE_RECURSE ${stage})
