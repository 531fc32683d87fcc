# Writes the engine library's texts from the built engine itself, so that they name the Csound
# version it was linked with: string 1 and the support file of the "GLUT" entry.
execute_process(COMMAND ${ENGINE} --version OUTPUT_VARIABLE version
                OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE result)
if(NOT result EQUAL 0 OR version STREQUAL "")
    message(FATAL_ERROR "${ENGINE} --version failed: ${result}")
endif()
file(WRITE ${OUT}/string1.txt "${version}")
file(WRITE ${OUT}/support.txt
     "${version}\n\n"
     "The embedded engine of Ventaro.2: a program over the Csound API that takes the command line\n"
     "of csound, reads its MIDI from the \"Ventaro.2\" port and ends on 0xF5 0x00 0x00.\n\n"
     "Csound is free software under the GNU Lesser General Public License, version 2.1 or later\n"
     "(https://csound.com). The engine links libcsound64, libjack and libasound (LGPL 2.1+).\n")
