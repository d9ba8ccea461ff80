# The installation log: what an installation wrote, for the uninstaller St6unst. It names the
# prefix, every file installed (CMake's install manifest, the log itself included) and every
# folder the installation created. Folders that were there before are never named, so that
# taking an installation away never removes a folder such as <prefix>/bin that others share.
#
# Both steps belong to the install component "uninstaller", which a package manager's
# package leaves out: there the package manager owns the files.

# Call before the first install rule, with every destination folder the installation uses,
# relative to the prefix, and the log's path relative to the prefix.
function(tally_begin_installation_log log)
    set(script ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/installation_log_steps.cmake)
    string(JOIN "\n" code
        "include(\"${script}\")"
        "tally_note_existing_folders(\"${log}\" \"${ARGN}\")")
    install(CODE "${code}" COMPONENT uninstaller)
endfunction()

# Call after the last install rule.
function(tally_end_installation_log log)
    install(CODE "tally_write_installation_log(\"${log}\")" COMPONENT uninstaller)
endfunction()
