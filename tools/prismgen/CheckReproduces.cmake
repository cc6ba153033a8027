# Regenerates the prism part meshes into a scratch folder and fails unless the result
# equals the committed source byte for byte.
get_filename_component(dir ${OUTPUT} DIRECTORY)
file(REMOVE_RECURSE ${dir})
file(MAKE_DIRECTORY ${dir})
execute_process(COMMAND ${GENERATOR} ${OUTPUT} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "prismgen failed with ${rc}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUTPUT} ${REFERENCE} RESULT_VARIABLE diff)
if(NOT diff EQUAL 0)
  message(FATAL_ERROR "regenerated ${OUTPUT} differs from ${REFERENCE}")
endif()
