# Regenerates the examples into OUT and checks they equal the ones in the repository.
file(MAKE_DIRECTORY ${OUT})
execute_process(COMMAND ${GENERATOR} ${OUT} RESULT_VARIABLE status)
if(status)
  message(FATAL_ERROR "make_examples failed")
endif()
foreach(name ${NAMES})
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT}/${name}.ts3 ${FOLDER}/${name}.ts3
                  RESULT_VARIABLE differs)
  if(differs)
    message(FATAL_ERROR "${name}.ts3 differs from what make_examples draws; run scripts/make-examples")
  endif()
endforeach()
