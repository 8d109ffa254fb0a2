# Runs two programs twice each and compares the traces and final spaces: the step-by-step trace
# of "overlap" (whose result depends on the order in which matches are found and rule groups
# evaluated) against the hash recorded when it was written, which also sees changes in the steps
# that the final space hides, and each run against the other, which sees anything that differs
# between two processes (the coin toss's random sequence included).
foreach(name overlap coin-toss)
  foreach(run 1 2)
    execute_process(COMMAND ${RUNNER} ${FOLDER}/${name}.ts3 --trace --print
                    OUTPUT_VARIABLE picture RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
      message(FATAL_ERROR "${name} did not end normally (${status})")
    endif()
    string(SHA256 hash_${run} "${picture}")
  endforeach()
  if(NOT hash_1 STREQUAL hash_2)
    message(FATAL_ERROR "two runs of ${name} differ: ${hash_1} and ${hash_2}")
  endif()
  if(name STREQUAL "overlap")
    set(expected "5d8ab3e06c34d6a6fed8bab49e52e6e1a862557f525e5d22a6a0ba5cffc8954b")
    if(NOT hash_1 STREQUAL expected)
      message(FATAL_ERROR "overlap's trace and final space hash to ${hash_1}, expected ${expected}")
    endif()
  endif()
endforeach()
