#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Shared by scripts/run and scripts/test: installs what is missing.
set -euo pipefail

TWINVANE_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Packages every build needs; the test command adds the cross build and tools.
TWINVANE_BUILD_PACKAGES=(cmake ninja-build g++ pkg-config qt6-base-dev libgl-dev libelf-dev
    libgtest-dev libgmock-dev googletest libbenchmark-dev)
TWINVANE_TEST_PACKAGES=(mingw-w64 g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64
    xvfb xauth clang libclang-rt-14-dev clang-format desktop-file-utils)
# The benchmarks (scripts/bench) measure against peres and read wine's PE files.
TWINVANE_BENCH_PACKAGES=(pev wine64)

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
    echo "Installing: ${missing[*]}"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        sudo=(sudo)
    fi
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
}

twinvane_jobs() {
    nproc 2>/dev/null || echo 2
}

# Wine's own fonts for the window tests: "MS Sans Serif", the forms' font,
# and Marlett, which draws the caption buttons.
TWINVANE_TEST_PACKAGES+=(fonts-wine)
