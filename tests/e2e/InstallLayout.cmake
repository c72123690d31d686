# SPDX-License-Identifier: MIT
# Installs the build into a scratch prefix and checks that every file lands
# where the desktop looks for it.
# cmake -D BUILD_DIR=<build> -D PREFIX=<scratch> -D WITH_VERINFO=<0|1> -P InstallLayout.cmake
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(expected
    bin/twinvane
    share/applications/twinvane.desktop
    share/icons/hicolor/32x32/apps/twinvane.png
    share/doc/twinvane/twinvane.html)
if(WITH_VERINFO)
    list(APPEND expected bin/twinvane-verinfo)
endif()
foreach(file IN LISTS expected)
    if(NOT EXISTS "${PREFIX}/${file}")
        message(FATAL_ERROR "not installed: ${file}")
    endif()
endforeach()

# An icon in the 32x32 folder must be a 32 by 32 PNG: signature, then the
# IHDR width and height.
file(READ "${PREFIX}/share/icons/hicolor/32x32/apps/twinvane.png" header LIMIT 24 HEX)
string(SUBSTRING "${header}" 0 16 signature)
string(SUBSTRING "${header}" 32 16 size)
if(NOT signature STREQUAL "89504e470d0a1a0a" OR NOT size STREQUAL "0000002000000020")
    message(FATAL_ERROR "the icon is not a 32x32 PNG (${header})")
endif()
file(REMOVE_RECURSE "${PREFIX}")
