# Runs tally-calc once and checks what it printed and how it ended.
#   TALLY_CALC       the program
#   ARGS             its arguments, separated by "|"
#   STDIN            file fed to standard input (default: an empty input)
#   EXPECTED_STDOUT  file holding the exact standard output (default: nothing is checked)
#   EXPECTED_STDERR  file holding the exact standard error
#   EXPECTED_STDERR_LINE  the one line standard error must hold
#   EXPECTED_STATUS  exit status
string(REPLACE "|" ";" arguments "${ARGS}")
if(NOT STDIN)
    set(STDIN /dev/null)
endif()
execute_process(
    COMMAND ${TALLY_CALC} ${arguments}
    INPUT_FILE ${STDIN}
    OUTPUT_VARIABLE out
    ERROR_VARIABLE err
    RESULT_VARIABLE status)

set(failures "")
if(NOT "${status}" STREQUAL "${EXPECTED_STATUS}")
    string(APPEND failures "exit status ${status}, expected ${EXPECTED_STATUS}\n")
endif()
if(EXPECTED_STDOUT)
    file(READ ${EXPECTED_STDOUT} expected)
    if(NOT out STREQUAL expected)
        string(APPEND failures "stdout:\n${out}\nexpected:\n${expected}\n")
    endif()
endif()
if(EXPECTED_STDERR)
    file(READ ${EXPECTED_STDERR} expected)
    if(NOT err STREQUAL expected)
        string(APPEND failures "stderr:\n${err}\nexpected:\n${expected}\n")
    endif()
endif()
if(EXPECTED_STDERR_LINE)
    if(NOT err STREQUAL "${EXPECTED_STDERR_LINE}\n")
        string(APPEND failures "stderr:\n${err}\nexpected:\n${EXPECTED_STDERR_LINE}\n")
    endif()
endif()
if(failures)
    message(FATAL_ERROR "${failures}")
endif()
