# SPDX-License-Identifier: MIT
# Windows executables of the cross build.

# twinvane_win32_program(<target>)
# Makes <target> the Windows program: GUI subsystem (WinMain, no console),
# linked statically (twinvane_options), stripped in release builds, carrying
# the version block of resources/version.rc, the icon resources/twinvane.ico
# and the manifest of src/ui/win32; a test checks its import table. It takes
# the version block from here, so it must not call twinvane_embed_version.
function(twinvane_win32_program target)
    set_target_properties(${target} PROPERTIES WIN32_EXECUTABLE TRUE)
    # Without symbols: a third of the size.
    target_link_options(${target} PRIVATE $<$<CONFIG:Release,MinSizeRel>:-s;-Wl,--gc-sections>)
    target_link_libraries(${target} PRIVATE twinvane_win32_resources twinvane_options)
    twinvane_check_imports(${target})
endfunction()

# twinvane_win32_manifest(<target>)
# The program's manifest alone, for a test program that must run as the
# program does (common controls 6, UTF-8 code page, DPI awareness).
function(twinvane_win32_manifest target)
    target_link_libraries(${target} PRIVATE twinvane_win32_manifest)
endfunction()

# twinvane_check_imports(<target>)
# A test that fails when <target> imports a DLL that is not part of Windows
# (cmake/CheckSystemImports.cmake), such as a MinGW runtime left dynamic.
function(twinvane_check_imports target)
    if(NOT TWINVANE_BUILD_TESTS)
        return()
    endif()
    add_test(NAME ${target}_imports_system_dlls_only
             COMMAND ${CMAKE_COMMAND} -D OBJDUMP=${CMAKE_OBJDUMP} -D EXE=$<TARGET_FILE:${target}>
                     -P ${PROJECT_SOURCE_DIR}/cmake/CheckSystemImports.cmake)
endfunction()
