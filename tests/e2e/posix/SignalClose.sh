#!/bin/sh
# SPDX-License-Identifier: MIT
# A termination signal closes Twinvane as the user would: it exits normally
# and the settings, with the file given on its command line, are saved.
set -u
program=$1
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
for signal in TERM HUP INT; do
    config=$folder/config-$signal
    file=$folder/file-$signal.txt
    echo 1 >"$file"
    XDG_CONFIG_HOME=$config QT_QPA_PLATFORM=offscreen "$program" "$file" &
    pid=$!
    # Wait until the handlers are in place (SIGTERM's bit in SigCgt), then
    # give the window a moment to come up; a loaded machine may be slow.
    tries=0
    until grep -q '^SigCgt:.*[4567cdef][0-9a-f]\{3\}$' "/proc/$pid/status" 2>/dev/null; do
        tries=$((tries + 1))
        if [ "$tries" -gt 200 ]; then
            echo "SIG$signal: Twinvane never caught termination signals" >&2
            kill -9 "$pid"
            exit 1
        fi
        sleep 0.1
    done
    sleep 2
    kill -s "$signal" "$pid"
    wait "$pid"
    status=$?
    if [ "$status" -ne 0 ]; then
        echo "SIG$signal: exit status $status, not a normal close" >&2
        exit 1
    fi
    if ! grep -qF "$file" "$config/twinvane/registry.reg"; then
        echo "SIG$signal: the settings do not hold $file" >&2
        exit 1
    fi
done
