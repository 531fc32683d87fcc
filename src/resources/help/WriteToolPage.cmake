# Writes the help page of ventaro-tool from the tool's own usage text, so the page lists exactly
# the commands the tool takes. -DTOOL=<ventaro-tool> -DOUT=<tool.html>
execute_process(COMMAND ${TOOL} --help OUTPUT_VARIABLE usage RESULT_VARIABLE result)
if(NOT result EQUAL 0 OR usage STREQUAL "")
    message(FATAL_ERROR "${TOOL} --help printed no usage (exit ${result})")
endif()
string(REPLACE "&" "&amp;" usage "${usage}")
string(REPLACE "<" "&lt;" usage "${usage}")
string(REPLACE ">" "&gt;" usage "${usage}")
string(REGEX REPLACE "\n$" "" usage "${usage}")
string(REPLACE "\n" ";" lines "${usage}")
set(rows "")
foreach(line IN LISTS lines)
    # "usage: ventaro-tool midi send ..." and "       ventaro-tool midi list" alike.
    string(REGEX REPLACE "^(usage:)? *ventaro-tool " "" line "${line}")
    if(line MATCHES "^([a-z]+)(.*)$")
        string(APPEND rows "<tr><td><code>${CMAKE_MATCH_1}</code></td>"
                           "<td><code>ventaro-tool ${CMAKE_MATCH_1}${CMAKE_MATCH_2}</code></td></tr>\n")
    elseif(NOT line STREQUAL "")
        string(APPEND rows "<tr><td></td><td>${line}</td></tr>\n")
    endif()
endforeach()
file(WRITE ${OUT} "<!DOCTYPE html>
<html lang=\"en\">
<head>
<meta charset=\"utf-8\">
<title>Ventaro.2 - Live Fader Studio: ventaro-tool</title>
<link rel=\"stylesheet\" href=\"help.css\">
</head>
<body>
<p class=\"nav\"><a href=\"index.html\">Contents</a></p>
<h1>ventaro-tool</h1>
<p><code>ventaro-tool</code> is the companion command line: it computes what the program would
send or write (noise values, slider bytes, Csound text, morphs, search results) and talks to the
MIDI ports, for scripts and checks without the main window. It prints results on standard
output and errors on standard error; it exits with 0 on success, 1 when the work failed and 2
with the usage below when the command line is wrong. <code>man ventaro-tool</code> describes
every command.</p>
<table>
<tr><th>Command</th><th>Usage</th></tr>
${rows}</table>
</body>
</html>
")
