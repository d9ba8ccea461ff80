# Runs tally-calc --plot and checks the SVG it wrote.
#   TALLY_CALC        the program
#   INPUT             the file of calculation lines
#   SVG               where the plot is written (removed first)
#   EXPECTED_POINTS   the number of points of each polyline, separated by "|"; empty: no
#                     plot must be written
#   EXPECTED_STATUS   exit status
file(REMOVE ${SVG})
execute_process(
    COMMAND ${TALLY_CALC} --plot ${SVG} ${INPUT}
    OUTPUT_VARIABLE out
    ERROR_VARIABLE err
    RESULT_VARIABLE status)

set(failures "")
if(NOT "${status}" STREQUAL "${EXPECTED_STATUS}")
    string(APPEND failures "exit status ${status}, expected ${EXPECTED_STATUS}\n${err}\n")
endif()
if("${EXPECTED_POINTS}" STREQUAL "")
    if(EXISTS ${SVG})
        string(APPEND failures "${SVG} was written although nothing was plotted\n")
    endif()
    if(NOT err MATCHES "no plot")
        string(APPEND failures "stderr does not say that there is no plot:\n${err}\n")
    endif()
elseif(NOT EXISTS ${SVG})
    string(APPEND failures "${SVG} was not written\n")
else()
    file(READ ${SVG} svg)
    if(NOT svg MATCHES "^<\\?xml[^\n]*\n<svg " OR NOT svg MATCHES "</svg>\n$")
        string(APPEND failures "not an SVG document:\n${svg}\n")
    endif()
    string(REGEX MATCHALL "<polyline points=\"[^\"]*\"" polylines "${svg}")
    set(counts "")
    foreach(polyline IN LISTS polylines)
        string(REGEX MATCHALL "[-0-9.]+,[-0-9.]+" points "${polyline}")
        list(LENGTH points count)
        list(APPEND counts ${count})
    endforeach()
    string(REPLACE "|" ";" expected "${EXPECTED_POINTS}")
    if(NOT "${counts}" STREQUAL "${expected}")
        string(APPEND failures "polylines with ${counts} points, expected ${expected}\n")
    endif()
endif()
if(failures)
    message(FATAL_ERROR "${failures}")
endif()
