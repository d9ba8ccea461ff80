# The program's read-only data: the introduction, and folders such as skins, help subjects
# and help. In the build folder it stands beside the program; an installation puts it in
# <prefix>/share/tally, where the program looks for it from its own folder (../share/tally).

# tally_program_data(<program target> <file or folder>...): copies each file or folder beside
# the program at every build where it changed, and installs it into the data folder. A
# relative path is taken from the calling CMakeLists' folder.
function(tally_program_data program)
    get_target_property(programFolder ${program} RUNTIME_OUTPUT_DIRECTORY)
    if(NOT programFolder)
        get_target_property(programFolder ${program} BINARY_DIR)
    endif()
    set(copies "")
    set(names "")
    foreach(item IN LISTS ARGN)
        get_filename_component(source "${item}" ABSOLUTE)
        get_filename_component(name "${source}" NAME)
        get_filename_component(base "${source}" DIRECTORY)
        list(APPEND names "${name}")
        if(IS_DIRECTORY "${source}")
            file(GLOB_RECURSE files CONFIGURE_DEPENDS RELATIVE "${base}" "${source}/*")
            install(DIRECTORY "${source}" DESTINATION ${TALLY_INSTALL_DATA_DIR})
        elseif(EXISTS "${source}")
            set(files "${name}")
            install(FILES "${source}" DESTINATION ${TALLY_INSTALL_DATA_DIR})
        else()
            message(FATAL_ERROR "Program data ${source} does not exist")
        endif()
        foreach(file IN LISTS files)
            add_custom_command(
                OUTPUT "${programFolder}/${file}"
                COMMAND ${CMAKE_COMMAND} -E copy_if_different "${base}/${file}"
                        "${programFolder}/${file}"
                DEPENDS "${base}/${file}"
                VERBATIM)
            list(APPEND copies "${programFolder}/${file}")
        endforeach()
    endforeach()
    string(JOIN "_" target ${program} data ${names})
    string(MAKE_C_IDENTIFIER "${target}" target)
    add_custom_target(${target} ALL DEPENDS ${copies})
    add_dependencies(${program} ${target})
endfunction()
