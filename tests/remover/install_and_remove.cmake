# An installation into a prefix that already holds bin/ and share/man/man1/ (as /usr/local
# does), repeated, used, then removed by the installed UnstTally: afterwards the prefix holds what it
# held before and the user's work, and the calculator's settings are gone.
#   -DBUILD=<build folder> -DWORK=<scratch folder>

include(${CMAKE_CURRENT_LIST_DIR}/removal_steps.cmake)

set(prefix "${WORK}/prefix")
set(config "${WORK}/config")
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${prefix}/bin" "${prefix}/share/man/man1" "${WORK}/no-programs")
tree_below("${prefix}" before)

# Installed twice: the second installation must still know the folders the first created.
foreach(time first second)
    execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD}" --prefix "${prefix}"
                    RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE errors)
    if(NOT status EQUAL 0 OR NOT errors STREQUAL "")
        message(FATAL_ERROR "Installing the ${time} time failed:\n${errors}")
    endif()
endforeach()
foreach(file bin/tally bin/tally-calc bin/UnstTally bin/St6unst bin/St6unst.log
             share/tally/Introduction.rtf share/tally/Subjects/Subject.txt
             share/man/man1/tally-calc.1.gz)
    if(NOT EXISTS "${prefix}/${file}")
        message(FATAL_ERROR "Not installed: ${file}")
    endif()
endforeach()

# The installed batch calculator works from its new place.
execute_process(COMMAND "${prefix}/bin/tally-calc" INPUT_FILE "${CMAKE_CURRENT_LIST_DIR}/one_line.txt"
                RESULT_VARIABLE status OUTPUT_VARIABLE output)
if(NOT status EQUAL 0 OR NOT output STREQUAL "2+3=5\n")
    message(FATAL_ERROR "The installed tally-calc answered ${status}:\n${output}")
endif()

# The user's work, where the calculator keeps it when its folder can be written.
file(WRITE "${prefix}/bin/Calculations.rtf" "{\\rtf1 work}")
file(WRITE "${prefix}/bin/User-def.txt" "work")
write_settings("${config}")

run_silently("${prefix}/bin/UnstTally" "${config}" "${WORK}/no-programs")
expect_settings_deleted("${config}")
set(expected ${before} bin/Calculations.rtf bin/User-def.txt)
list(SORT expected)
wait_for_tree("${prefix}" "${expected}" 30)
file(REMOVE_RECURSE "${WORK}")
