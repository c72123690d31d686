# SPDX-License-Identifier: MIT
# twinvane_embed_version(<target>)
# Gives an executable the program's own version block (resources/version.rc),
# so that the version API reads it from the executable's file: a VERSIONINFO
# resource on Windows, an ELF section on Linux.
function(twinvane_embed_version target)
    target_link_libraries(${target} PRIVATE twinvane_version_block)
endfunction()
