# UnstTally started from a folder with a blank in its name: it starts the uninstaller beside
# it on that folder's log, deletes the calculator's settings, says nothing; and when there
# is no uninstaller beside it, it still deletes the settings and ends normally, without
# starting one found elsewhere on the search path.
#   -DUNSTTALLY=<built program> -DWORK=<scratch folder>

include(${CMAKE_CURRENT_LIST_DIR}/removal_steps.cmake)

set(folder "${WORK}/Program Files/Tally")
set(config "${WORK}/config")
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${folder}" "${WORK}/path")
file(COPY "${UNSTTALLY}" DESTINATION "${folder}")

# Stand-in uninstallers that note their arguments, one a line: the installation's own, and
# another on the search path.
function(stand_in program notes)
    file(WRITE "${program}" "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"${notes}.tmp\"\n"
         "command -p mv \"${notes}.tmp\" \"${notes}\"\n")
    file(CHMOD "${program}" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
endfunction()
stand_in("${folder}/St6unst" "${WORK}/started.txt")
stand_in("${WORK}/path/St6unst" "${WORK}/foreign.txt")

write_settings("${config}")
run_silently("${folder}/UnstTally" "${config}" "${WORK}/path")
expect_settings_deleted("${config}")
wait_for_file("${WORK}/started.txt" 20)
file(READ "${WORK}/started.txt" arguments)
if(NOT arguments STREQUAL "-n\n${folder}/St6unst.log\n")
    message(FATAL_ERROR "The uninstaller was started with:\n${arguments}")
endif()

# No uninstaller beside it.
file(REMOVE "${folder}/St6unst")
write_settings("${config}")
run_silently("${folder}/UnstTally" "${config}" "${WORK}/path")
expect_settings_deleted("${config}")
execute_process(COMMAND ${CMAKE_COMMAND} -E sleep 0.5)
if(EXISTS "${WORK}/foreign.txt")
    message(FATAL_ERROR "An uninstaller from the search path was started")
endif()

# Settings never written.
file(REMOVE_RECURSE "${config}")
run_silently("${folder}/UnstTally" "${config}" "${WORK}/path")
file(REMOVE_RECURSE "${WORK}")
