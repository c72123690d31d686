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

# Every test that runs a program of this build, Wine and its programs
# included, runs in cmake/TestSandbox.sh: a home and XDG folders of its own,
# made afresh for it, so that testing never writes into the user's home.
# CMake before 3.29 has no test launcher; the emulator, which it puts before
# every test command naming a program of the build, stands in.
if(CMAKE_HOST_UNIX)
    set(TWINVANE_TEST_SANDBOX ${CMAKE_CURRENT_LIST_DIR}/TestSandbox.sh)
    if(CMAKE_VERSION VERSION_GREATER_EQUAL 3.29)
        set(CMAKE_TEST_LAUNCHER ${TWINVANE_TEST_SANDBOX})
    else()
        list(PREPEND CMAKE_CROSSCOMPILING_EMULATOR ${TWINVANE_TEST_SANDBOX})
    endif()
endif()

# twinvane_test_environment()
# Deferred to the end of a folder of tests. The tests that run no program of
# this build (CMake scripts, validators) escape the sandbox: they get a home
# in the build folder instead, which the sandbox overrides for the others.
# Under Wine every test shares the build's prefix, made once by scripts/test
# or else at the first test's start.
function(twinvane_test_environment)
    get_property(tests DIRECTORY PROPERTY TESTS)
    if(NOT tests)
        return()
    endif()
    set(root ${CMAKE_CURRENT_BINARY_DIR}/test-home)
    foreach(folder home config data cache state runtime)
        file(MAKE_DIRECTORY ${root}/${folder})
        file(CHMOD ${root}/${folder} DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
    endforeach()
    set(env HOME=${root}/home XDG_CONFIG_HOME=${root}/config XDG_DATA_HOME=${root}/data
            XDG_CACHE_HOME=${root}/cache XDG_STATE_HOME=${root}/state
            XDG_RUNTIME_DIR=${root}/runtime)
    if(CMAKE_CROSSCOMPILING)
        # Mono and Gecko would be offered when a prefix is made; the
        # sandbox adds the menu builder to the list.
        list(APPEND env WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix WINEDEBUG=-all
             WINEDLLOVERRIDES=mscoree,mshtml=d)
    endif()
    set_property(TEST ${tests} APPEND PROPERTY ENVIRONMENT ${env})
endfunction()

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

# Under Wine every test runs in one Wine session on a display of its own
# (tests/support/wine-session): the emulator puts each test program on the
# session's display, and the wine_session fixture begins the session before
# the first test and ends it after the last, so "ctest --preset windows"
# needs nothing started by hand.
if(CMAKE_CROSSCOMPILING)
    set(TWINVANE_WINE_SESSION ${PROJECT_SOURCE_DIR}/tests/support/wine-session)
    set(TWINVANE_WINE_SESSION_STATE ${CMAKE_BINARY_DIR}/wine-session/state)
    list(PREPEND CMAKE_CROSSCOMPILING_EMULATOR
         ${TWINVANE_WINE_SESSION} run ${TWINVANE_WINE_SESSION_STATE})
endif()

# twinvane_wine_session_fixture()
# Called at the end of a folder of tests: its tests, all of them, since
# beginning the session ends any other in the prefix.
function(twinvane_wine_session_fixture)
    add_test(NAME wine_session_start
             COMMAND ${TWINVANE_WINE_SESSION} start ${TWINVANE_WINE_SESSION_STATE})
    add_test(NAME wine_session_stop
             COMMAND ${TWINVANE_WINE_SESSION} stop ${TWINVANE_WINE_SESSION_STATE})
    # Making a new prefix takes minutes on a busy machine.
    set_tests_properties(wine_session_start PROPERTIES FIXTURES_SETUP wine_session TIMEOUT 1200)
    set_tests_properties(wine_session_stop PROPERTIES FIXTURES_CLEANUP wine_session)
    get_property(tests DIRECTORY PROPERTY TESTS)
    list(REMOVE_ITEM tests wine_session_start wine_session_stop)
    # One at a time: the tests share the session's display, where windows of
    # two tests would take each other's focus, and the root of its C: drive,
    # where the temporary copies of a comparison always go.
    if(tests)
        set_tests_properties(${tests} PROPERTIES FIXTURES_REQUIRED wine_session
                                                 RESOURCE_LOCK wine_desktop)
    endif()
endfunction()
