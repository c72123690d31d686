# SPDX-License-Identifier: MIT
# cmake -DWINDRES=... -DSCRIPT=version.rc -DBLOCK=VersionBlock.bin -DWORK=out.res -P this
# Compiles SCRIPT with windres into a .res file and fails unless the data of
# its one resource after the empty leading entry is byte for byte BLOCK.
execute_process(COMMAND ${WINDRES} -O res ${SCRIPT} ${WORK} RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "windres could not compile ${SCRIPT}")
endif()

# A .res file: a 32-byte empty entry, then entries of DataSize, HeaderSize,
# the header's remaining fields, and the data.
file(READ ${WORK} size HEX OFFSET 32 LIMIT 4)
file(READ ${WORK} header HEX OFFSET 36 LIMIT 4)
foreach(field size header)
    string(SUBSTRING ${${field}} 0 2 b0)
    string(SUBSTRING ${${field}} 2 2 b1)
    string(SUBSTRING ${${field}} 4 2 b2)
    string(SUBSTRING ${${field}} 6 2 b3)
    math(EXPR ${field} "0x${b3}${b2}${b1}${b0}")
endforeach()
math(EXPR data "32 + ${header}")
file(READ ${WORK} expected HEX OFFSET ${data} LIMIT ${size})
file(READ ${BLOCK} actual HEX)
if(NOT expected STREQUAL actual)
    message(FATAL_ERROR "The generated block differs from windres's:\n windres: ${expected}\n ours:    ${actual}")
endif()
message(STATUS "The generated version block matches windres (${size} bytes)")
