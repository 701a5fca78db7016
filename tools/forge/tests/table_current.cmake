# Regenerates the rectangle table and fails unless it equals the committed source file.
execute_process(COMMAND ${FORGE} --rects-table ${OUT} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "forge --rects-table failed: ${rc}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT} ${COMMITTED} RESULT_VARIABLE diff)
if(NOT diff EQUAL 0)
  message(FATAL_ERROR "${COMMITTED} is stale: regenerate it with veskarra-forge --rects-table")
endif()
