# Runs one example through tessera-run and compares its final space with NAME.expected.ts3.
separate_arguments(extra UNIX_COMMAND "${ARGS}")
set(result ${OUT}/${NAME}.result.ts3)
execute_process(COMMAND ${RUNNER} ${FOLDER}/${NAME}.ts3 ${extra} --out ${result}
                RESULT_VARIABLE status ERROR_VARIABLE errors)
list(FIND extra "--steps" steps_at)
if(NOT steps_at EQUAL -1)
  set(expected_status 1)  # a step limit
else()
  set(expected_status 0)
endif()
if(NOT status EQUAL expected_status)
  message(FATAL_ERROR "${NAME}: tessera-run exited with ${status}, expected ${expected_status}: ${errors}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${result} ${FOLDER}/${NAME}.expected.ts3
                RESULT_VARIABLE differs)
if(differs)
  message(FATAL_ERROR "${NAME}: the final space differs from ${NAME}.expected.ts3")
endif()
