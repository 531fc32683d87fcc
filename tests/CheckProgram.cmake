# Fails unless the program exports the nine noise functions by their plain names, so that a
# module loaded into the process finds them with dlsym; fails too when the program itself needs
# the audio libraries or SDL (which brings them): they are loaded when audio or a joystick is
# first used, so that they do not slow every start.
execute_process(COMMAND ${NM} -D --defined-only ${PROGRAM} OUTPUT_VARIABLE symbols
                RESULT_VARIABLE nmResult)
execute_process(COMMAND ${READELF} -d ${PROGRAM} OUTPUT_VARIABLE dynamic RESULT_VARIABLE result)
if(NOT nmResult EQUAL 0 OR NOT result EQUAL 0)
    message(FATAL_ERROR "${NM} or ${READELF} failed on ${PROGRAM}")
endif()
foreach(name NoiseSource0 NoiseSource1 NoiseSource2 NoiseSource3 NoiseSource4 QuickNoiseSource
             NoiseSource ExpDeviation GaussDeviation)
    if(NOT symbols MATCHES " T ${name}\n")
        message(FATAL_ERROR "${PROGRAM} does not export ${name}")
    endif()
endforeach()
foreach(library rtaudio pulse sndfile samplerate SDL2)
    if(dynamic MATCHES "NEEDED[^\n]*lib${library}")
        message(FATAL_ERROR "${PROGRAM} needs lib${library} at start")
    endif()
endforeach()
