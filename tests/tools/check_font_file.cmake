# Runs make_font on the font source and compares its output with the shipped font file
# byte for byte. Invoked by ctest with MAKE_FONT, SOURCE, EXPECTED and OUTPUT set.
file(REMOVE ${OUTPUT})
execute_process(COMMAND ${MAKE_FONT} ${SOURCE} ${OUTPUT} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "make_font failed (${status})")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUTPUT} ${EXPECTED}
                RESULT_VARIABLE differs)
if(NOT differs EQUAL 0)
  message(FATAL_ERROR "${EXPECTED} differs from what make_font writes from ${SOURCE}; "
                      "regenerate it with: make_font ${SOURCE} ${EXPECTED}")
endif()
