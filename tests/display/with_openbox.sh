#!/usr/bin/env bash
# Usage: with_openbox.sh CMD [ARGS...]
#
# Runs CMD with openbox managing the windows of $DISPLAY, so that a test can
# maximise, minimise or ask to close the game's window the way a desktop
# would, then stops openbox and exits with CMD's exit code.
set -euo pipefail

readonly wmTimeout=5 # seconds for openbox to take over the screen

if (($# == 0)); then
    echo "usage: $(basename "$0") CMD [ARGS...]" >&2
    exit 2
fi
if ! command -v openbox >/dev/null || ! command -v xprop >/dev/null; then
    echo "error: openbox or xprop is missing; run scripts/install-deps.sh" >&2
    exit 1
fi

workDir=$(mktemp -d "${TMPDIR:-/tmp}/kelmot-wm.XXXXXX")
wmPid=
commandPid=

# shellcheck disable=SC2317 # run from the traps below
Cleanup() {
    local status=$?
    trap - EXIT INT TERM HUP
    for pid in $commandPid $wmPid; do
        kill -TERM "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$workDir"
    exit "$status"
}
trap Cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP

# Own config and cache folders: openbox then uses its default settings (Alt+F4
# closes a window, and so on) whatever the user's own are.
XDG_CONFIG_HOME=$workDir/config XDG_CACHE_HOME=$workDir/cache \
    openbox --sm-disable >"$workDir/openbox.log" 2>&1 &
wmPid=$!
# openbox announces itself on the root window once it manages the screen.
deadline=$((SECONDS + wmTimeout))
until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do
    if ! kill -0 "$wmPid" 2>/dev/null || ((SECONDS >= deadline)); then
        echo "error: openbox did not start on $DISPLAY" >&2
        cat "$workDir/openbox.log" >&2 || true
        exit 1
    fi
    sleep 0.1
done

# In the background, so that a signal to this script is handled at once; <&0
# keeps the command's standard input.
"$@" <&0 &
commandPid=$!
status=0
wait "$commandPid" || status=$?
commandPid=
exit "$status"
