# Runs make_splash on the shipped font and compares its output with the shipped picture
# byte for byte. Invoked by ctest with MAKE_SPLASH, FONT, EXPECTED and OUTPUT set.
file(REMOVE ${OUTPUT})
execute_process(COMMAND ${MAKE_SPLASH} ${FONT} ${OUTPUT} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "make_splash failed (${status})")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUTPUT} ${EXPECTED}
                RESULT_VARIABLE differs)
if(NOT differs EQUAL 0)
  message(FATAL_ERROR "${EXPECTED} differs from what make_splash draws from ${FONT}; "
                      "regenerate it with: make_splash ${FONT} ${EXPECTED}")
endif()
