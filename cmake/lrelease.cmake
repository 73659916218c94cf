# Compiles one catalogue (TS) into QM with LRELEASE, and fails when a text in it has no
# translation, naming the catalogue.
execute_process(COMMAND ${LRELEASE} ${TS} -qm ${QM} OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "lrelease failed on ${TS}:\n${out}${err}")
endif()
if(out MATCHES "([1-9][0-9]*) unfinished" OR out MATCHES "Ignored ([1-9][0-9]*) untranslated")
    file(REMOVE ${QM})
    message(FATAL_ERROR "${TS}: ${CMAKE_MATCH_1} texts without their translation "
                        "(scripts/update-translations, then translate them):\n${out}")
endif()
