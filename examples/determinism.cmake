# Runs the long example and compares a hash of its final space, printed as text, with the one
# recorded when it was written: any change of rule order or matching shows up here.
execute_process(COMMAND ${RUNNER} ${FOLDER}/long-run.ts3 --print OUTPUT_VARIABLE picture RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "long-run did not end normally (${status})")
endif()
string(SHA256 hash "${picture}")
set(expected "61de7bc6bf45afa2a735ab0a9f9c0d06753b0dfbc40884796ee85783126f954a")
if(NOT hash STREQUAL expected)
  message(FATAL_ERROR "long-run's final space hashes to ${hash}, expected ${expected}")
endif()
