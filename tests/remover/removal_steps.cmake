# Helpers for the removal tests, which run as `cmake -P` scripts.

# Every path below `root`, relative to it, sorted.
function(tree_below root result)
    file(GLOB_RECURSE entries LIST_DIRECTORIES true RELATIVE "${root}" "${root}/*")
    list(SORT entries)
    set(${result} "${entries}" PARENT_SCOPE)
endfunction()

# Waits up to `seconds` for the tree below `root` to become `expected` (the uninstaller runs
# on its own, after the removal program has ended); fails showing the difference.
function(wait_for_tree root expected seconds)
    math(EXPR tries "${seconds} * 10")
    foreach(try RANGE ${tries})
        tree_below("${root}" tree)
        if(tree STREQUAL expected)
            return()
        endif()
        execute_process(COMMAND ${CMAKE_COMMAND} -E sleep 0.1)
    endforeach()
    string(REPLACE ";" "\n  " tree "${tree}")
    string(REPLACE ";" "\n  " expected "${expected}")
    message(FATAL_ERROR "Left below ${root}:\n  ${tree}\nexpected:\n  ${expected}")
endfunction()

# Waits up to `seconds` for `file` to exist.
function(wait_for_file file seconds)
    math(EXPR tries "${seconds} * 10")
    foreach(try RANGE ${tries})
        if(EXISTS "${file}")
            return()
        endif()
        execute_process(COMMAND ${CMAKE_COMMAND} -E sleep 0.1)
    endforeach()
    message(FATAL_ERROR "${file} did not appear")
endfunction()

# Writes settings of the calculator and of another program into the store at `config`.
function(write_settings config)
    file(MAKE_DIRECTORY "${config}")
    file(WRITE "${config}/Tally Calculator.conf" "[Settings]\nAngles=Градусы\n[Fonts]\nSubjFontSize=8\n")
    file(WRITE "${config}/Other Program.conf" "[Settings]\nKept=1\n")
endfunction()

# Fails unless the calculator's settings are gone and the other program's stayed.
function(expect_settings_deleted config)
    if(EXISTS "${config}/Tally Calculator.conf")
        message(FATAL_ERROR "The calculator's settings were not deleted")
    endif()
    if(NOT EXISTS "${config}/Other Program.conf")
        message(FATAL_ERROR "Another program's settings were deleted")
    endif()
endfunction()

# Runs `program` with the settings store at `config` and only `path` to search for programs;
# it must end with status 0 and say nothing.
function(run_silently program config path)
    execute_process(
        COMMAND ${CMAKE_COMMAND} -E env "XDG_CONFIG_HOME=${config}" "PATH=${path}" "${program}"
        RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE errors)
    if(NOT status EQUAL 0 OR NOT output STREQUAL "" OR NOT errors STREQUAL "")
        message(FATAL_ERROR "${program} ended with ${status}, said:\n${output}${errors}")
    endif()
endfunction()
