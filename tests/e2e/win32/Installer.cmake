# SPDX-License-Identifier: MIT
# The installer as a Windows user meets it, under Wine: a silent install,
# its files, shortcuts, uninstall entry and settings value; a second install
# over the first; a third naming another folder, which updates the first in
# its folder and keeps the settings; the program started from its Start-menu
# shortcut, an install failing while it runs, the program closed; two
# files sent to it through Send To; a file chosen as File 1 and another
# compared with it through the context-menu verbs; an uninstall failing while the program
# runs and leaving all in place; a silent uninstall, after which only the
# settings and a file of the user's remain.
# cmake -D WINE=<wine> -D SETUP=<setup.exe> -D PROGRAM=<twinvane.exe>
#       -D RUNNER=<shortcut_runner.exe> -D RECORDER=<twinvane_record_args.exe>
#       -D VERSION=<x.y.z.w> -D PUBLISHER=<name>
#       -P Installer.cmake        (WINEPREFIX and DISPLAY set)
cmake_minimum_required(VERSION 3.25)

set(settings_key "HKCU\\Software\\Varnook\\Twinvane")
set(uninstall_key "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Twinvane")
set(verbs_key "HKCU\\Software\\Classes\\*\\shell")

# wine(<out> <status> ARGUMENTS...): a Windows program's output, without
# carriage returns, and its exit status.
function(wine out status)
    execute_process(COMMAND ${WINE} ${ARGN} OUTPUT_VARIABLE output ERROR_VARIABLE errors
                    RESULT_VARIABLE result)
    string(REPLACE "\r" "" output "${output}${errors}")
    set(${out} "${output}" PARENT_SCOPE)
    set(${status} "${result}" PARENT_SCOPE)
endfunction()

function(wine_ok out)
    wine(output status ${ARGN})
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${ARGN}: status ${status}\n${output}")
    endif()
    set(${out} "${output}" PARENT_SCOPE)
endfunction()

# The Unix path of a path on drive C:.
function(unix_path out windows)
    string(REGEX REPLACE "^[Cc]:\\\\" "$ENV{WINEPREFIX}/dosdevices/c:/" path "${windows}")
    string(REPLACE "\\" "/" path "${path}")
    set(${out} "${path}" PARENT_SCOPE)
endfunction()

# registry_values(<prefix> <key>): <prefix>_<name> for each value of <key>
# (blanks in the name as underscores), as "reg query" prints it, and no others from an earlier call;
# <prefix>_FOUND false when the key is missing.
function(registry_values prefix key)
    foreach(name IN LISTS ${prefix}_NAMES)
        unset(${prefix}_${name} PARENT_SCOPE)
    endforeach()
    set(names)
    wine(output status reg query "${key}")
    if(status EQUAL 0)
        string(REPLACE ";" "\\;" output "${output}")
        string(REPLACE "\n" ";" lines "${output}")
        foreach(line IN LISTS lines)
            if(line MATCHES "^    ([^ ].*[^ ]|[^ ])    REG_[A-Z_]+    (.*)$")
                string(REPLACE " " "_" name "${CMAKE_MATCH_1}")
                set(${prefix}_${name} "${CMAKE_MATCH_2}" PARENT_SCOPE)
                list(APPEND names "${name}")
            endif()
        endforeach()
    endif()
    set(${prefix}_NAMES "${names}" PARENT_SCOPE)
    set(found FALSE)
    if(status EQUAL 0)
        set(found TRUE)
    endif()
    set(${prefix}_FOUND ${found} PARENT_SCOPE)
endfunction()

function(expect_equal what actual wanted)
    if(NOT actual STREQUAL wanted)
        message(FATAL_ERROR "${what}: \"${actual}\", not \"${wanted}\"")
    endif()
endfunction()

function(install_silently)
    wine_ok(output "${SETUP}" /S)
endfunction()

# Where this user's programs, Start menu and Send To menu are.
wine_ok(folders cmd /c "echo %LOCALAPPDATA%&echo %APPDATA%&echo %TEMP%")
string(REGEX MATCHALL "[^\n]+" folders "${folders}")
list(GET folders 0 local_data)
list(GET folders 1 roaming_data)
list(GET folders 2 temp)
# Two files to send, with blanks in their names.
set(sent "${temp}\\twinvane sent\\first file.txt" "${temp}\\twinvane sent\\second file.txt")
unix_path(sent_unix "${temp}\\twinvane sent")
set(install "${local_data}\\Programs\\Twinvane")
set(shortcuts
    "${roaming_data}\\Microsoft\\Windows\\Start Menu\\Programs\\Twinvane.lnk"
    "${roaming_data}\\Microsoft\\Windows\\SendTo\\Twinvane.lnk")
unix_path(install_unix "${install}")
# A folder a second installation names with /D=.
set(other "${local_data}\\TwinvaneElsewhere")
unix_path(other_unix "${other}")
set(files twinvane.exe twinvane.html LICENSE.txt Uninstall.exe)
# File 1 and File 2 of the context menu, in folders of their own.
set(chosen "C:\\twinvane verbs\\one\\a.txt" "C:\\twinvane verbs\\two\\b.txt")
unix_path(chosen_unix "C:\\twinvane verbs")

# Everything an installation leaves, settings included. The prefix is the
# build's own, so nothing here is a user's.
function(remove_traces)
    wine(ignored status reg delete "${uninstall_key}" /f)
    wine(ignored status reg delete "${settings_key}" /f)
    foreach(verb IN ITEMS ChooseFile1 CompareWithFile1)
        wine(ignored status reg delete "${verbs_key}\\Twinvane.${verb}" /f)
    endforeach()
    file(REMOVE_RECURSE "${install_unix}" "${other_unix}" "${sent_unix}" "${chosen_unix}")
    foreach(shortcut IN LISTS shortcuts)
        unix_path(shortcut_unix "${shortcut}")
        file(REMOVE "${shortcut_unix}")
    endforeach()
endfunction()

# The checks run in a second CMake, so that their traces are removed even
# when one fails: the settings tests refuse to run over existing settings.
if(NOT CHECKS)
    execute_process(
        COMMAND ${CMAKE_COMMAND} -D CHECKS=ON -D WINE=${WINE} -D SETUP=${SETUP}
                -D PROGRAM=${PROGRAM} -D RUNNER=${RUNNER} -D RECORDER=${RECORDER}
                -D VERSION=${VERSION}
                -D PUBLISHER=${PUBLISHER} -P ${CMAKE_CURRENT_LIST_FILE}
        RESULT_VARIABLE status)
    remove_traces()
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "The installer's checks failed")
    endif()
    return()
endif()

remove_traces()
install_silently()
foreach(name IN LISTS files)
    if(NOT EXISTS "${install_unix}/${name}")
        message(FATAL_ERROR "${name} is not in ${install}")
    endif()
endforeach()
file(SHA256 "${install_unix}/twinvane.exe" installed_hash)
file(SHA256 "${PROGRAM}" built_hash)
expect_equal("twinvane.exe installed" "${installed_hash}" "${built_hash}")

list(GET shortcuts 0 start_menu_shortcut)
list(GET shortcuts 1 send_to_shortcut)
wine_ok(shown "${RUNNER}" show "${start_menu_shortcut}")
expect_equal("Start menu shortcut" "${shown}" "${install}\\twinvane.exe\n\n${install}\n")
wine_ok(shown "${RUNNER}" show "${send_to_shortcut}")
expect_equal("Send To shortcut" "${shown}" "${install}\\twinvane.exe\n--compare\n${install}\n")

# The context-menu verbs, with Twinvane's icon; with no File 1 stored the
# second stays out of the menu.
foreach(pair IN ITEMS "ChooseFile1=--file1" "CompareWithFile1=--compare-with-file1")
    string(REGEX MATCH "^([^=]+)=(.*)$" ignored "${pair}")
    set(verb "${CMAKE_MATCH_1}")
    wine_ok(command reg query "${verbs_key}\\Twinvane.${verb}\\command" /ve)
    string(FIND "${command}" "\"${install}\\twinvane.exe\" ${CMAKE_MATCH_2} \"%1\"" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "The verb ${verb} runs no \"twinvane.exe ${CMAKE_MATCH_2}\":\n${command}")
    endif()
    registry_values(verb "${verbs_key}\\Twinvane.${verb}")
    expect_equal("Icon of ${verb}" "${verb_Icon}" "${install}\\twinvane.exe,0")
endforeach()
registry_values(verb "${verbs_key}\\Twinvane.ChooseFile1")
expect_equal("Caption of ChooseFile1" "${verb_MUIVerb}" "Choose as File 1 for Twinvane")
registry_values(verb "${verbs_key}\\Twinvane.CompareWithFile1")
if(NOT DEFINED verb_ProgrammaticAccessOnly)
    message(FATAL_ERROR "Compare with File 1 is in the menu with no File 1 stored")
endif()

registry_values(entry "${uninstall_key}")
foreach(pair IN ITEMS
        "DisplayName=Twinvane"
        "DisplayVersion=${VERSION}"
        "Publisher=${PUBLISHER}"
        "DisplayIcon=${install}\\twinvane.exe,0"
        "InstallLocation=${install}"
        "UninstallString=\"${install}\\Uninstall.exe\""
        "QuietUninstallString=\"${install}\\Uninstall.exe\" /S"
        "NoModify=0x1"
        "NoRepair=0x1")
    string(REGEX MATCH "^([^=]+)=(.*)$" ignored "${pair}")
    expect_equal("Uninstall entry ${CMAKE_MATCH_1}" "${entry_${CMAKE_MATCH_1}}" "${CMAKE_MATCH_2}")
endforeach()
# In KiB, as Apps & features reads it: at least the program's own size.
file(SIZE "${PROGRAM}" program_size)
math(EXPR program_kib "${program_size} / 1024")
math(EXPR estimated "${entry_EstimatedSize}" OUTPUT_FORMAT DECIMAL)
if(estimated LESS program_kib)
    message(FATAL_ERROR "EstimatedSize ${estimated} KiB is below the program's ${program_kib} KiB")
endif()

registry_values(settings "${settings_key}")
expect_equal("Install after the first installation" "${settings_Install}" "${install}")

# An install folder of the user's choosing stays through an update.
wine_ok(ignored reg add "${settings_key}" /v Install /d "C:\\Elsewhere" /f)
install_silently()
registry_values(settings "${settings_key}")
expect_equal("Install after a second installation" "${settings_Install}" "C:\\Elsewhere")

# Installed again with another folder named, Twinvane is updated where it
# is: one installation per user. The settings are the user's and stay.
file(SHA256 "${install_unix}/twinvane.html" guide_hash)
file(WRITE "${install_unix}/twinvane.html" "an older guide")
wine_ok(ignored reg add "${settings_key}" /v "WD Loc" /d "C:\\Tools\\diff.exe" /f)
wine_ok(settings_before reg query "${settings_key}")
wine_ok(ignored "${SETUP}" /S "/D=${other}")
file(GLOB_RECURSE in_other RELATIVE "${other_unix}" "${other_unix}/*")
expect_equal("Installed in ${other}" "${in_other}" "")
file(SHA256 "${install_unix}/twinvane.html" updated_hash)
expect_equal("twinvane.html updated in ${install}" "${updated_hash}" "${guide_hash}")
registry_values(entry "${uninstall_key}")
expect_equal("InstallLocation after installing with /D=" "${entry_InstallLocation}" "${install}")
wine_ok(settings_after reg query "${settings_key}")
expect_equal("Settings after an update" "${settings_after}" "${settings_before}")

# Started from the Start menu; meanwhile an installation cannot replace the
# running program and must say so.
wine_ok(setup_windows winepath -w "${SETUP}")
string(STRIP "${setup_windows}" setup_windows)
wine_ok(ran "${RUNNER}" run "${start_menu_shortcut}" Twinvane "${setup_windows}" /S)
if(NOT ran MATCHES "window shown\nmeanwhile: ended with [1-9]")
    message(FATAL_ERROR "An installation over the running program succeeded:\n${ran}")
endif()

# Sent to Twinvane, two files become File 1 and File 2, which the program
# saves as it closes.
foreach(file IN LISTS sent)
    unix_path(file_unix "${file}")
    file(WRITE "${file_unix}" "${file}")
endforeach()
wine_ok(ignored "${RUNNER}" send "${send_to_shortcut}" Twinvane ${sent})
registry_values(settings "${settings_key}")
expect_equal("File 1 sent" "${settings_File_1}" "${temp}\\twinvane sent\\first file.txt")
expect_equal("File 2 sent" "${settings_File_2}" "${temp}\\twinvane sent\\second file.txt")

# Chosen as File 1 in one folder, which names the second verb; another file
# compared with it from a second folder: the diff program gets both, and
# both are stored.
foreach(file IN LISTS chosen)
    unix_path(file_unix "${file}")
    file(WRITE "${file_unix}" "${file}")
endforeach()
list(GET chosen 0 chosen1)
list(GET chosen 1 chosen2)
wine_ok(recorder_windows winepath -w "${RECORDER}")
string(STRIP "${recorder_windows}" recorder_windows)
wine_ok(ignored reg add "${settings_key}" /v "WD Loc" /d "${recorder_windows}" /f)
wine_ok(ignored "${RUNNER}" verb Twinvane.ChooseFile1 "${chosen1}")
registry_values(settings "${settings_key}")
expect_equal("File 1 chosen" "${settings_File_1}" "${chosen1}")
registry_values(verb "${verbs_key}\\Twinvane.CompareWithFile1")
expect_equal("Caption after choosing" "${verb_MUIVerb}" "Compare with a.txt in Twinvane")
if(DEFINED verb_ProgrammaticAccessOnly)
    message(FATAL_ERROR "Compare with File 1 stays out of the menu with File 1 stored")
endif()
set(ENV{TWINVANE_RECORD_FILE} "C:\\twinvane verbs\\record.txt")
wine_ok(ignored "${RUNNER}" verb Twinvane.CompareWithFile1 "${chosen2}")
unset(ENV{TWINVANE_RECORD_FILE})
# Twinvane ends once the program has started; the program may still write.
foreach(attempt RANGE 100)
    if(EXISTS "${chosen_unix}/record.txt")
        break()
    endif()
    execute_process(COMMAND ${CMAKE_COMMAND} -E sleep 0.2)
endforeach()
# Read whole: the working folder's line ends in a backslash, which a CMake
# list would take as an escape.
file(READ "${chosen_unix}/record.txt" recorded)
string(FIND "${recorded}" "\n" folder_end) # after the working folder
math(EXPR folder_end "${folder_end} + 1")
string(SUBSTRING "${recorded}" ${folder_end} -1 recorded)
string(LENGTH "${chosen1}" length1)
string(LENGTH "${chosen2}" length2)
expect_equal("The diff program's arguments" "${recorded}"
             "${length1}:${chosen1}\n${length2}:${chosen2}\n")
registry_values(settings "${settings_key}")
expect_equal("File 2 compared" "${settings_File_2}" "${chosen2}")

# Nor can an uninstallation remove the running program: it fails, says why
# on standard error, and leaves everything in place, the uninstaller and its
# entry included.
wine_ok(ran "${RUNNER}" run "${start_menu_shortcut}" Twinvane "${install}\\Uninstall.exe" /S)
if(NOT ran MATCHES "window shown\nmeanwhile: ended with [1-9]"
   OR NOT ran MATCHES "Twinvane is running from")
    message(FATAL_ERROR "An uninstallation with the program running did not fail:\n${ran}")
endif()
foreach(name IN LISTS files)
    if(NOT EXISTS "${install_unix}/${name}")
        message(FATAL_ERROR "${name} is gone after a failed uninstallation")
    endif()
endforeach()
foreach(shortcut IN LISTS shortcuts)
    unix_path(shortcut_unix "${shortcut}")
    if(NOT EXISTS "${shortcut_unix}")
        message(FATAL_ERROR "${shortcut} is gone after a failed uninstallation")
    endif()
endforeach()
registry_values(entry "${uninstall_key}")
expect_equal("InstallLocation after a failed uninstallation" "${entry_InstallLocation}" "${install}")

# The uninstaller runs on as a copy of itself and returns at once: its
# entry, removed last, tells when it is done.
file(WRITE "${install_unix}/notes.txt" "the user's own")
registry_values(entry "${uninstall_key}")
if(NOT entry_QuietUninstallString MATCHES "^\"([^\"]+)\" (.+)$")
    message(FATAL_ERROR "QuietUninstallString \"${entry_QuietUninstallString}\" names no program")
endif()
wine_ok(ignored "${CMAKE_MATCH_1}" ${CMAKE_MATCH_2})
foreach(attempt RANGE 120)
    registry_values(entry "${uninstall_key}")
    if(NOT entry_FOUND)
        break()
    endif()
    execute_process(COMMAND ${CMAKE_COMMAND} -E sleep 0.5)
endforeach()
if(entry_FOUND)
    message(FATAL_ERROR "The uninstall entry is still there a minute after the uninstaller started")
endif()

file(GLOB left RELATIVE "${install_unix}" "${install_unix}/*")
expect_equal("Left in ${install}" "${left}" "notes.txt")
foreach(shortcut IN LISTS shortcuts)
    unix_path(shortcut_unix "${shortcut}")
    if(EXISTS "${shortcut_unix}")
        message(FATAL_ERROR "${shortcut} is still there after uninstalling")
    endif()
endforeach()
registry_values(settings "${settings_key}")
expect_equal("Install after uninstalling" "${settings_Install}" "C:\\Elsewhere")
foreach(verb IN ITEMS ChooseFile1 CompareWithFile1)
    registry_values(verb "${verbs_key}\\Twinvane.${verb}")
    if(verb_FOUND)
        message(FATAL_ERROR "The verb ${verb} is still there after uninstalling")
    endif()
endforeach()
