# UnstTally started from a folder with a blank in its name: it starts the uninstaller beside
# it on that folder's log, deletes the calculator's settings, says nothing; and when there
# is no uninstaller, it still deletes the settings and ends normally.
#   -DUNSTTALLY=<built program> -DWORK=<scratch folder>

include(${CMAKE_CURRENT_LIST_DIR}/removal_steps.cmake)

set(folder "${WORK}/Program Files/Tally")
set(config "${WORK}/config")
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${folder}" "${WORK}/no-programs")
file(COPY "${UNSTTALLY}" DESTINATION "${folder}")

# A stand-in uninstaller that notes its arguments, one a line.
file(WRITE "${folder}/St6unst" "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"${WORK}/started.tmp\"\n"
     "command -p mv \"${WORK}/started.tmp\" \"${WORK}/started.txt\"\n")
file(CHMOD "${folder}/St6unst" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)

write_settings("${config}")
run_silently("${folder}/UnstTally" "${config}" "${WORK}/no-programs")
expect_settings_deleted("${config}")
wait_for_file("${WORK}/started.txt" 20)
file(READ "${WORK}/started.txt" arguments)
if(NOT arguments STREQUAL "-n\n${folder}/St6unst.log\n")
    message(FATAL_ERROR "The uninstaller was started with:\n${arguments}")
endif()

# No uninstaller anywhere.
file(REMOVE "${folder}/St6unst")
write_settings("${config}")
run_silently("${folder}/UnstTally" "${config}" "${WORK}/no-programs")
expect_settings_deleted("${config}")

# Settings never written.
file(REMOVE_RECURSE "${config}")
run_silently("${folder}/UnstTally" "${config}" "${WORK}/no-programs")
file(REMOVE_RECURSE "${WORK}")
