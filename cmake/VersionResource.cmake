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

# twinvane_version_value(<key> <out>)
# Sets <out> to the text of value <key> in the program's own version block,
# for what the build derives from it (the About box's lines, the installer's
# publisher), so that none of them can drift from the block. Only plain
# characters: no quotes or backslashes to unescape.
set(TWINVANE_VERSION_SCRIPT ${PROJECT_SOURCE_DIR}/resources/version.rc)
function(twinvane_version_value key out)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${TWINVANE_VERSION_SCRIPT})
    file(STRINGS ${TWINVANE_VERSION_SCRIPT} line REGEX "^[ \t]*VALUE[ \t]+\"${key}\"")
    if(NOT line MATCHES ",[ \t]*\"([^\"\\\\]+)\"[ \t]*$")
        message(FATAL_ERROR "${TWINVANE_VERSION_SCRIPT}: no ${key} value of plain characters")
    endif()
    set(${out} "${CMAKE_MATCH_1}" PARENT_SCOPE)
endfunction()
