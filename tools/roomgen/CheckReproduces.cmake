# Regenerates the room model and light map into a scratch folder and fails unless both equal
# the committed files byte for byte.
file(REMOVE_RECURSE ${OUTPUT_DIR})
file(MAKE_DIRECTORY ${OUTPUT_DIR})
# A thread count unlike the default shows the result does not depend on it.
execute_process(COMMAND ${GENERATOR} --threads 3 ${OUTPUT_DIR}/RoomModel.cpp ${OUTPUT_DIR}/roomLightMap.png
  RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "roomgen failed with ${rc}")
endif()
foreach(pair "RoomModel.cpp;models/RoomModel.cpp" "roomLightMap.png;resources/gfx/roomLightMap.png")
  list(GET pair 0 generated)
  list(GET pair 1 committed)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUTPUT_DIR}/${generated} ${SOURCE_DIR}/${committed}
    RESULT_VARIABLE diff)
  if(NOT diff EQUAL 0)
    message(FATAL_ERROR "regenerated ${generated} differs from ${committed}")
  endif()
endforeach()
