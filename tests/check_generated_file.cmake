# Runs a generator on its input and compares what it writes with the shipped file byte for
# byte, so a shipped resource never drifts from its source. Invoked by ctest with
# GENERATOR, INPUT, EXPECTED and OUTPUT set.
get_filename_component(name ${GENERATOR} NAME)
file(REMOVE ${OUTPUT})
execute_process(COMMAND ${GENERATOR} ${INPUT} ${OUTPUT} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${name} failed (${status})")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUTPUT} ${EXPECTED}
                RESULT_VARIABLE differs)
if(NOT differs EQUAL 0)
  message(FATAL_ERROR "${EXPECTED} differs from what ${name} writes from ${INPUT}; "
                      "regenerate it with: ${name} ${INPUT} ${EXPECTED}")
endif()
