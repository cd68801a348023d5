# Runs one fuzz target for SECONDS seconds from a copy of its seed corpus (the
# committed corpus is never written). An input that breaks a property is kept
# in WORK as crash-<hash> and fails the test.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(COPY ${CORPUS}/ DESTINATION ${WORK}/corpus)
execute_process(COMMAND ${FUZZER} -max_total_time=${SECONDS} -print_final_stats=1 -artifact_prefix=${WORK}/
                        ${WORK}/corpus
                RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${FUZZER} found a failing input (see ${WORK}); rerun it with: ${FUZZER} <input>")
endif()
