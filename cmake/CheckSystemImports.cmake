# SPDX-License-Identifier: MIT
# cmake -D OBJDUMP=<objdump> -D EXE=<file.exe> -P CheckSystemImports.cmake
# Fails when the executable imports a DLL that every Windows has not: a
# MinGW runtime (libstdc++, libgcc, winpthread) left dynamic would stop the
# program from starting on a machine without it. The list is what every
# Windows since Vista ships and the program may use.
cmake_minimum_required(VERSION 3.25)
set(system_dlls
    advapi32.dll comctl32.dll comdlg32.dll gdi32.dll kernel32.dll msvcrt.dll ole32.dll
    oleacc.dll oleaut32.dll shell32.dll shlwapi.dll user32.dll uxtheme.dll version.dll)

execute_process(COMMAND ${OBJDUMP} -p ${EXE} OUTPUT_VARIABLE dump RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${OBJDUMP} could not read ${EXE}")
endif()
string(REGEX MATCHALL "DLL Name: [^\r\n]+" lines "${dump}")
if(NOT lines)
    message(FATAL_ERROR "${EXE} lists no imported DLL: not a program objdump can read")
endif()
set(foreign)
foreach(line IN LISTS lines)
    string(REGEX REPLACE "^DLL Name: *" "" dll "${line}")
    string(STRIP "${dll}" dll)
    string(TOLOWER "${dll}" lower)
    if(NOT lower IN_LIST system_dlls)
        list(APPEND foreign ${dll})
    endif()
endforeach()
if(foreign)
    list(REMOVE_DUPLICATES foreign)
    list(JOIN foreign ", " foreign)
    message(FATAL_ERROR "${EXE} imports DLLs that are not part of Windows: ${foreign}")
endif()
message(STATUS "${EXE} imports system DLLs only")
