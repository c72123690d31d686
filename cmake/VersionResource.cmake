# SPDX-License-Identifier: MIT
# twinvane_embed_version(<target>)
# Gives an executable the program's own version block (resources/version.rc),
# so that the version API reads it from the executable's file: a VERSIONINFO
# resource on Windows, an ELF section on Linux.
function(twinvane_embed_version target)
    target_link_libraries(${target} PRIVATE twinvane_version_block)
endfunction()

# twinvane_embed_version_script(<target> <script.rc>)
# Gives a test executable a version block of its own, from `script` (an
# absolute path, in the statements version.rc keeps to), instead of the
# program's.
function(twinvane_embed_version_script target script)
    if(WIN32)
        target_sources(${target} PRIVATE ${script})
    else()
        set(source ${CMAKE_CURRENT_BINARY_DIR}/${target}_VersionBlock.cpp)
        add_custom_command(
            OUTPUT ${source}
            COMMAND twinvane_versiongen ${script} ${source}
            DEPENDS twinvane_versiongen ${script}
            COMMENT "Generating the version block of ${target}"
            VERBATIM)
        target_sources(${target} PRIVATE ${source})
    endif()
endfunction()
