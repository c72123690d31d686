# SPDX-License-Identifier: MIT
# The program's own command line, with no display at all: --help and
# --version answer and end with success, an unknown option ends with 2.
# cmake -D PROGRAM=<twinvane> -D VERSION=<x.y.z.w> -P CommandLine.cmake
cmake_minimum_required(VERSION 3.25)

function(expect_run arguments want_status want_output stream)
    execute_process(
        COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
                --unset=QT_QPA_PLATFORM "${PROGRAM}" ${arguments}
        RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT status EQUAL want_status)
        message(FATAL_ERROR "twinvane ${arguments}: status ${status}, not ${want_status}\n${out}${err}")
    endif()
    if(stream STREQUAL "out")
        set(text "${out}")
    else()
        set(text "${err}")
    endif()
    if(NOT text MATCHES "${want_output}")
        message(FATAL_ERROR "twinvane ${arguments}: no \"${want_output}\" on std${stream}:\n"
                            "${out}${err}")
    endif()
endfunction()

string(REPLACE "." "\\." version "${VERSION}")
expect_run("--version" 0 "^Twinvane ${version}\n$" out)
expect_run("--help" 0 "^Usage: twinvane \\[OPTION\\]\\.\\.\\. \\[FILE1 \\[FILE2\\]\\]\n" out)
expect_run("--bogus" 2 "^twinvane: unknown option '--bogus'\n" err)
# The file managers' forms that keep no window need no display either.
expect_run("--print-file1" 0 "^\n$" out)
expect_run("--file1;${CMAKE_CURRENT_LIST_FILE}" 0 "^$" out)
expect_run("--print-file1" 0 "^${CMAKE_CURRENT_LIST_FILE}\n$" out)
expect_run("--file1" 2 "^twinvane: '--file1' takes one file name, and 0 were given\n" err)
