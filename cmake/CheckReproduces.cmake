# Runs GENERATOR with ARGS ("|"-separated; @OUT@ stands for the fresh folder OUTPUT_DIR) and fails
# unless OUTPUT_DIR then holds exactly the files of COMPARE ("|"-separated "generated=committed"
# pairs, generated relative to OUTPUT_DIR, committed relative to SOURCE_DIR), each equal to its
# committed file byte for byte.
file(REMOVE_RECURSE ${OUTPUT_DIR})
file(MAKE_DIRECTORY ${OUTPUT_DIR})
string(REPLACE "|" ";" args "${ARGS}")
string(REPLACE "@OUT@" "${OUTPUT_DIR}" args "${args}")
execute_process(COMMAND ${GENERATOR} ${args} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${GENERATOR} failed with ${rc}")
endif()

file(GLOB_RECURSE unexpected RELATIVE ${OUTPUT_DIR} ${OUTPUT_DIR}/*)
string(REPLACE "|" ";" pairs "${COMPARE}")
set(differing "")
foreach(pair ${pairs})
  string(REPLACE "=" ";" pair "${pair}")
  list(GET pair 0 generated)
  list(GET pair 1 committed)
  list(REMOVE_ITEM unexpected ${generated})
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUTPUT_DIR}/${generated} ${SOURCE_DIR}/${committed}
    RESULT_VARIABLE diff)
  if(NOT diff EQUAL 0)
    list(APPEND differing ${committed})
  endif()
endforeach()
if(unexpected)
  message(FATAL_ERROR "the generator wrote files nothing compares: ${unexpected}")
endif()
if(differing)
  message(FATAL_ERROR "regenerated output differs from the committed: ${differing}")
endif()
