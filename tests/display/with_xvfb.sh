#!/usr/bin/env bash
# Usage: with_xvfb.sh CMD [ARGS...]
#
# Runs CMD on an X display of its own (Xvfb, 1280x1024, software OpenGL) with
# openbox managing its windows. Tests that type keys, move windows or look at
# the whole screen use it, so that they never share a display with tests
# running beside them. The server picks a free display number itself, so that
# servers started at the same moment never try to take the same one; it takes
# only local clients, and any of them.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
readonly startTimeout=15 # seconds for the server to answer

if (($# == 0)); then
    echo "usage: $(basename "$0") CMD [ARGS...]" >&2
    exit 2
fi

workDir=$(mktemp -d "${TMPDIR:-/tmp}/kelmot-xvfb.XXXXXX")
xvfbPid=
commandPid=

# shellcheck disable=SC2317 # run from the traps below
Cleanup() {
    local status=$?
    trap - EXIT INT TERM HUP
    for pid in $commandPid $xvfbPid; do
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

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -ac -noreset \
    3>"$workDir/display" >"$workDir/xvfb.log" 2>&1 &
xvfbPid=$!
deadline=$((SECONDS + startTimeout))
until [[ -s "$workDir/display" ]] && xdpyinfo -display ":$(<"$workDir/display")" >/dev/null 2>&1
do
    if ! kill -0 "$xvfbPid" 2>/dev/null || ((SECONDS >= deadline)); then
        echo "error: Xvfb did not start" >&2
        cat "$workDir/xvfb.log" >&2 || true
        exit 1
    fi
    sleep 0.1
done
export DISPLAY=:$(<"$workDir/display")
unset XAUTHORITY
# No auto-repeat: tests type a key's press and release with separate xdotool
# calls, and on a busy machine a key can stay down past the repeat delay; the
# repeat would be a second press to the game and to the start-up dialog.
xset r off

# In the background, so that a signal to this script is handled at once; <&0
# keeps the command's standard input.
"$here/with_openbox.sh" "$@" <&0 &
commandPid=$!
status=0
wait "$commandPid" || status=$?
commandPid=
exit "$status"
