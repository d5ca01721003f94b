# Runs TOOL, writing its standard output to OUTPUT, and fails unless OUTPUT is
# byte for byte the same as COMMITTED.
execute_process(COMMAND ${TOOL} OUTPUT_FILE ${OUTPUT} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${TOOL} failed: ${status}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUTPUT} ${COMMITTED}
                RESULT_VARIABLE different)
if(different)
    message(FATAL_ERROR "${COMMITTED} is not what ${TOOL} makes; regenerate it")
endif()
