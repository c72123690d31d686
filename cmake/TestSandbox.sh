#!/bin/sh
# SPDX-License-Identifier: MIT
# Runs one test program with a home and XDG folders of its own, made afresh
# and removed when it ends: Qt's dialog history, Wine's menu entries and the
# program's own settings then never reach the user's real home. Wine's menu
# builder stays off, as it would write desktop entries.
# Usage: TestSandbox.sh [--keep FOLDER] PROGRAM [ARGUMENT...]
# With --keep the folders are made in FOLDER and stay: a Wine prefix made
# in the sandbox links its Documents and Desktop to the home it found.
set -eu

if [ "${1:-}" = --keep ]; then
    sandbox=$2
    shift 2
    mkdir -p -m 0700 "$sandbox"
    sandbox=$(cd "$sandbox" && pwd)
else
    sandbox=$(mktemp -d "${TMPDIR:-/tmp}/twinvane-test.XXXXXX")
    trap 'rm -rf "$sandbox"' EXIT
    trap 'exit 129' HUP
    trap 'exit 130' INT
    trap 'exit 143' TERM
fi
for folder in home config data cache state runtime; do
    mkdir -p -m 0700 "$sandbox/$folder"
done

export HOME="$sandbox/home"
export XDG_CONFIG_HOME="$sandbox/config"
export XDG_DATA_HOME="$sandbox/data"
export XDG_CACHE_HOME="$sandbox/cache"
export XDG_STATE_HOME="$sandbox/state"
export XDG_RUNTIME_DIR="$sandbox/runtime"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:+$WINEDLLOVERRIDES;}winemenubuilder.exe=d"

status=0
"$@" || status=$?
exit "$status"
