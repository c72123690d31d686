# SPDX-License-Identifier: MIT
# GoogleTest: Debian's package on Linux, built from its sources for the cross build.
if(NOT TWINVANE_BUILD_TESTS)
    return()
endif()

if(CMAKE_CROSSCOMPILING)
    set(TWINVANE_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources for the cross build")
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
    add_subdirectory(${TWINVANE_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
else()
    find_package(GTest REQUIRED)
endif()
include(GoogleTest)

# twinvane_add_gtest(<name> SOURCES ... LIBS ...)
# Under Wine every process start costs a second or more, so the cross build
# registers one CTest entry per executable instead of discovering each case.
function(twinvane_add_gtest name)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "SOURCES;LIBS")
    add_executable(${name} ${arg_SOURCES})
    target_link_libraries(${name} PRIVATE ${arg_LIBS} GTest::gtest GTest::gmock GTest::gtest_main
                                          twinvane_options)
    if(CMAKE_CROSSCOMPILING)
        add_test(NAME ${name} COMMAND ${name})
    else()
        gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST)
    endif()
endfunction()
