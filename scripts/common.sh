#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Shared by the scripts: installs what is missing.
set -euo pipefail

TWINVANE_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# What the program itself needs to build and run (scripts/run).
TWINVANE_BUILD_PACKAGES=(cmake ninja-build g++ pkg-config qt6-base-dev libgl-dev libelf-dev
    libabsl-dev)
# GoogleTest for the tests and benchmarks; its sources for the cross build.
TWINVANE_GTEST_PACKAGES=(libgtest-dev libgmock-dev googletest)
# The Windows cross build under Wine, the format check, the desktop entry check.
TWINVANE_TEST_PACKAGES=("${TWINVANE_GTEST_PACKAGES[@]}" mingw-w64 g++-mingw-w64-x86-64-posix
    binutils-mingw-w64-x86-64 wine wine64 xvfb xauth clang-format desktop-file-utils nsis)
# The fuzz targets; llvm gives llvm-symbolizer, which names the functions in
# a finding's stack trace.
TWINVANE_FUZZ_PACKAGES=(clang libclang-rt-14-dev llvm)
TWINVANE_TEST_PACKAGES+=(lintian appstream dpkg-dev file librsvg2-bin) # package checks, icons
# The format check takes its file list from git.
TWINVANE_TEST_PACKAGES+=(git)
# The program driven over the accessibility bus on a virtual display.
TWINVANE_TEST_PACKAGES+=(dbus-daemon at-spi2-core python3-pyatspi)
# The benchmarks (scripts/bench) measure against peres and read wine's PE files.
TWINVANE_BENCH_PACKAGES=("${TWINVANE_GTEST_PACKAGES[@]}" pev wine64)

twinvane_install() {
    local missing=()
    local package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed"; then
            missing+=("$package")
        fi
    done
    if [ ${#missing[@]} -eq 0 ]; then
        return 0
    fi
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        # sudo -v asks for the password when a terminal can take it.
        if command -v sudo >/dev/null && { sudo -n true 2>/dev/null || { [ -t 0 ] && sudo -v; }; }; then
            sudo=(sudo)
        else
            echo "Some packages are missing and sudo is not available to install them; as root, run: apt-get install --no-install-recommends ${missing[*]}" >&2
            exit 1
        fi
    fi
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
}

twinvane_jobs() {
    nproc 2>/dev/null || echo 2
}

# Wine's own fonts for the window tests: "MS Sans Serif", the forms' font,
# and Marlett, which draws the caption buttons.
TWINVANE_TEST_PACKAGES+=(fonts-wine)
