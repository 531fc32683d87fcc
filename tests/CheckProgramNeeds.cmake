# Fails when the program itself needs the audio libraries: they are loaded with the audio module
# when audio is first used, so that they do not slow every start.
execute_process(COMMAND ${READELF} -d ${PROGRAM} OUTPUT_VARIABLE dynamic RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${READELF} failed on ${PROGRAM}")
endif()
foreach(library rtaudio pulse sndfile)
    if(dynamic MATCHES "NEEDED[^\n]*lib${library}")
        message(FATAL_ERROR "${PROGRAM} needs lib${library} at start")
    endif()
endforeach()
