#!/usr/bin/env bash
# Usage: with_dummy_xorg.sh CMD [ARGS...]
#
# Runs CMD against a private Xorg server that uses the dummy video driver and
# xorg-dummy.conf (beside this script), then stops the server and exits with
# CMD's exit code. Unlike Xvfb, this server lets a client switch the screen
# between several sizes through XRandR, which the full-screen display tests
# need.
#
# With KELMOT_WM=1 in the environment, openbox manages the server's windows
# too, so a test can maximise, minimise or ask to close the game's window the
# way a desktop would.
#
# The server, its log, its authority file and anything else it leaves behind
# live in a temporary folder that is removed on exit, however the script ends.
set -euo pipefail

scriptDir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
readonly scriptDir
readonly config=$scriptDir/xorg-dummy.conf
readonly startTimeout=15 # seconds for the server to answer

if (($# == 0)); then
    echo "usage: $(basename "$0") CMD [ARGS...]" >&2
    exit 2
fi

for tool in xdpyinfo xprop xauth mcookie; do
    if ! command -v "$tool" >/dev/null; then
        echo "error: $tool is missing; run scripts/install-deps.sh" >&2
        exit 1
    fi
done

# Start the server binary itself rather than /usr/bin/Xorg: on systems with the
# set-uid wrapper installed, the wrapper refuses users who are not on a console
# and, with raised privileges, Xorg accepts only a -config path relative to
# /etc/X11. Started directly, it needs no privileges for the dummy driver.
if [[ -x /usr/lib/xorg/Xorg ]]; then
    xorgBinary=/usr/lib/xorg/Xorg
elif command -v Xorg >/dev/null; then
    xorgBinary=$(command -v Xorg)
else
    echo "error: Xorg is missing; run scripts/install-deps.sh" >&2
    exit 1
fi

workDir=$(mktemp -d "${TMPDIR:-/tmp}/kelmot-xorg.XXXXXX")
xorgPid=
commandPid=

# shellcheck disable=SC2317 # run from the traps below
Cleanup() {
    local status=$?
    trap - EXIT INT TERM HUP
    StopProcess "$commandPid"
    StopProcess "$xorgPid"
    rm -rf "$workDir"
    exit "$status"
}

# shellcheck source=SCRIPTDIR/stop_process.sh
source "$(dirname "${BASH_SOURCE[0]}")/stop_process.sh"

trap Cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP

PrintLogTail() {
    echo "--- last lines of the Xorg log ---" >&2
    tail -n 30 "$1" >&2 || true
    echo "---" >&2
}

# Starts Xorg on display :$1. Returns 0 once it answers, 2 if another server
# took that display first, and 1 on any other failure.
StartServer() {
    local number=$1
    local log=$workDir/Xorg.$number.log
    export XAUTHORITY=$workDir/Xauthority
    : >"$XAUTHORITY"
    xauth -q add ":$number" . "$(mcookie)"
    mkdir -p "$workDir/xorg.conf.d" # an empty folder, so no local snippets apply

    # -seat with a name other than seat0 keeps Xorg off the virtual terminals,
    # so running the tests on a desktop never switches its console.
    "$xorgBinary" ":$number" \
        -config "$config" -configdir "$workDir/xorg.conf.d" \
        -logfile "$log" -auth "$XAUTHORITY" \
        -noreset -nolisten tcp -seat seat-kelmot-test \
        >"$workDir/Xorg.$number.out" 2>&1 &
    xorgPid=$!

    local deadline=$((SECONDS + startTimeout))
    while ((SECONDS < deadline)); do
        if xdpyinfo -display ":$number" >/dev/null 2>&1; then
            # The lock file names the server that owns the display; make sure
            # the one answering is ours and not one that started just before.
            if [[ "$(tr -d ' \n' <"/tmp/.X$number-lock" 2>/dev/null)" == "$xorgPid" ]]; then
                return 0
            fi
        fi
        if ! kill -0 "$xorgPid" 2>/dev/null; then
            wait "$xorgPid" 2>/dev/null || true
            xorgPid=
            if grep -q "already active" "$workDir/Xorg.$number.out"; then
                return 2
            fi
            echo "error: Xorg exited before it answered on :$number" >&2
            if ((EUID != 0)); then
                echo "note: running as $(id -un), not root; if the log below" \
                    "shows a permission error, run the display tests as root" \
                    "(CI does)" >&2
            fi
            PrintLogTail "$log"
            return 1
        fi
        sleep 0.1
    done
    echo "error: Xorg did not answer on :$number within ${startTimeout}s" >&2
    PrintLogTail "$log"
    return 1
}

started=
for number in $(seq 20 99); do
    # A socket or lock file means another server has, or had, that display.
    [[ -e /tmp/.X11-unix/X$number || -e /tmp/.X$number-lock ]] && continue
    result=0
    StartServer "$number" || result=$?
    case $result in
        0)
            started=$number
            break
            ;;
        2) continue ;; # lost a race for this display; try the next one
        *) exit 1 ;;
    esac
done
if [[ -z "$started" ]]; then
    echo "error: no free X display between :20 and :99" >&2
    exit 1
fi
export DISPLAY=:$started
# No auto-repeat: tests type a key's press and release with separate xdotool
# calls, and on a busy machine a key can stay down past the repeat delay; the
# repeat would be a second press to the game and to the start-up dialog.
xset r off

if [[ "${KELMOT_WM:-}" == 1 ]]; then
    set -- "$scriptDir/with_openbox.sh" "$@"
fi

# Run the command in the background and wait for it, so a signal to this script
# is handled at once (the traps above stop the command and the server). The
# explicit <&0 keeps the command's standard input, which bash would otherwise
# replace with /dev/null for a background job.
"$@" <&0 &
commandPid=$!
status=0
wait "$commandPid" || status=$?
commandPid=
exit "$status"
