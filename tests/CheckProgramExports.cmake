# Fails unless the program exports the nine noise functions by their plain names, so that a
# module loaded into the process finds them with dlsym.
execute_process(COMMAND ${NM} -D --defined-only ${PROGRAM} OUTPUT_VARIABLE symbols
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${NM} failed on ${PROGRAM}")
endif()
foreach(name NoiseSource0 NoiseSource1 NoiseSource2 NoiseSource3 NoiseSource4 QuickNoiseSource
             NoiseSource ExpDeviation GaussDeviation)
    if(NOT symbols MATCHES " T ${name}\n")
        message(FATAL_ERROR "${PROGRAM} does not export ${name}")
    endif()
endforeach()
