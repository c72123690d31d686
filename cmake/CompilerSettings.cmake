# SPDX-License-Identifier: MIT
# Warnings and sanitizers, applied to every target through one interface library.
add_library(twinvane_options INTERFACE)
target_compile_options(twinvane_options INTERFACE -Wall -Wextra -Wpedantic)
if(TWINVANE_WERROR)
    target_compile_options(twinvane_options INTERFACE -Werror)
endif()
if(TWINVANE_SANITIZE)
    target_compile_options(twinvane_options INTERFACE
        -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_link_options(twinvane_options INTERFACE -fsanitize=address,undefined)
endif()
if(TWINVANE_BUILD_FUZZ)
    # Everything is instrumented for coverage and checked; only the fuzz
    # targets link libFuzzer itself.
    target_compile_options(twinvane_options INTERFACE
        -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
        -fno-sanitize-recover=undefined)
    target_link_options(twinvane_options INTERFACE -fsanitize=address,undefined)
endif()
if(WIN32)
    # Self-contained executables: Wine and users then need no MinGW runtime DLLs.
    target_link_options(twinvane_options INTERFACE -static -static-libgcc -static-libstdc++)
    target_compile_definitions(twinvane_options INTERFACE WIN32_LEAN_AND_MEAN NOMINMAX)
endif()
