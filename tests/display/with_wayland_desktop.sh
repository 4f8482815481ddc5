#!/usr/bin/env bash
# Usage: with_wayland_desktop.sh gnome|kde CMD [ARGS...]
#
# Runs CMD on the desktop most Linux players have: a Wayland compositor,
# headless on one virtual 1280x1024 monitor, with Xwayland for X programs.
# gnome is GNOME's compositor (mutter), kde is KDE's (KWin). CMD gets DISPLAY
# (Xwayland) and WAYLAND_DISPLAY as a session on that desktop would, then the
# compositor is stopped and the script exits with CMD's exit code.
#
# Xwayland changes no monitor's mode: it pretends to, for the X client that
# asked, and marks that client's windows so that the compositor can scale them
# to fill the monitor (mutter does; KWin 5.27 does not).
#
# The compositor, its session bus, its runtime folder and configuration live in
# a temporary folder that is removed on exit, however the script ends.
set -euo pipefail

readonly startTimeout=30 # seconds for the compositor and Xwayland to answer

if (($# < 2)) || [[ "$1" != gnome && "$1" != kde ]]; then
    echo "usage: $(basename "$0") gnome|kde CMD [ARGS...]" >&2
    exit 2
fi
desktop=$1
shift
for tool in dbus-run-session Xwayland xdpyinfo xset; do
    if ! command -v "$tool" >/dev/null; then
        echo "error: $tool is missing; run scripts/install-deps.sh" >&2
        exit 1
    fi
done

workDir=$(mktemp -d "${TMPDIR:-/tmp}/kelmot-desktop.XXXXXX")
compositorPid=
sessionPid=
commandPid=
displays=()

# shellcheck disable=SC2317 # run from the traps below
Cleanup() {
    local status=$?
    trap - EXIT INT TERM HUP
    StopProcess "$commandPid"
    # The compositor ends Xwayland and, with it, the session (and its bus).
    StopProcess "$compositorPid"
    StopProcess "$sessionPid"
    # A compositor that had to be killed leaves its X displays' lock files and
    # sockets behind; only those of a server that is gone are removed.
    local number owner
    for number in "${displays[@]}"; do
        [[ -e /tmp/.X$number-lock ]] || continue
        owner=$(tr -d ' \n' <"/tmp/.X$number-lock")
        kill -0 "$owner" 2>/dev/null || rm -f "/tmp/.X$number-lock" "/tmp/.X11-unix/X$number"
    done
    rm -rf "$workDir"
    exit "$status"
}

# Asks a process to end, then kills it if it is still there after 5 s.
# shellcheck disable=SC2317 # run from Cleanup
StopProcess() {
    local pid=$1
    [[ -n "$pid" ]] || return 0
    kill -TERM "$pid" 2>/dev/null || return 0
    for _ in $(seq 50); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
}

trap Cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP

Fail() {
    echo "error: $*" >&2
    echo "--- last lines of the compositor's log ---" >&2
    tail -n 30 "$workDir/compositor.log" >&2 || true
    echo "---" >&2
    exit 1
}

# Runs the compositor in a session bus of its own, with its own runtime and
# configuration folders; its process id goes to $workDir/compositor.pid.
# shellcheck disable=SC2016 # expanded by the inner shell
StartInSession() {
    XDG_RUNTIME_DIR=$workDir/runtime XDG_CONFIG_HOME=$workDir/config \
        XDG_CACHE_HOME=$workDir/cache XDG_DATA_HOME=$workDir/data \
        dbus-run-session -- sh -c 'echo $$ >"$0"; exec "$@"' "$workDir/compositor.pid" "$@" \
        >"$workDir/compositor.log" 2>&1 &
    sessionPid=$!
}

mkdir -m 700 "$workDir/runtime"
case $desktop in
gnome)
    command -v mutter >/dev/null || Fail "mutter is missing; run scripts/install-deps.sh"
    StartInSession mutter --headless --wayland --virtual-monitor 1280x1024
    ;;
kde)
    kwin=$(command -v kwin_wayland) || Fail "kwin_wayland is missing; run scripts/install-deps.sh"
    # Debian gives kwin_wayland a file capability (to raise its own limits),
    # which a container refuses to execute; a plain copy has none.
    cp "$kwin" "$workDir/kwin_wayland"
    # KWin starts this once Xwayland runs, with the session's variables set.
    cat >"$workDir/announce.sh" <<EOF
#!/bin/sh
env | grep -E '^(DISPLAY|XAUTHORITY)=' >"$workDir/announced.tmp"
mv "$workDir/announced.tmp" "$workDir/announced"
EOF
    chmod +x "$workDir/announce.sh"
    StartInSession "$workDir/kwin_wayland" --virtual --width 1280 --height 1024 --xwayland \
        --socket wayland-0 "$workDir/announce.sh"
    ;;
esac

# The X display Xwayland listens on, and the file with its key.
display=
authority=
deadline=$((SECONDS + startTimeout))
while [[ -z "$display" ]]; do
    kill -0 "$sessionPid" 2>/dev/null || Fail "$desktop's compositor ended at start"
    ((SECONDS < deadline)) || Fail "$desktop's compositor started no Xwayland within ${startTimeout}s"
    sleep 0.1
    [[ -z "$compositorPid" && -s "$workDir/compositor.pid" ]] &&
        compositorPid=$(<"$workDir/compositor.pid")
    case $desktop in
    gnome)
        # "Using public X11 display :0, (using :1 for managed services)"
        line=$(grep -m 1 'Using public X11 display' "$workDir/compositor.log" || true)
        [[ -n "$line" ]] || continue
        read -r -a displays < <(sed 's/.*display :\([0-9]*\).*using :\([0-9]*\).*/\1 \2/' <<<"$line")
        display=:${displays[0]}
        authority=$(compgen -G "$workDir/runtime/.mutter-Xwaylandauth.*" || true)
        ;;
    kde)
        [[ -s "$workDir/announced" ]] || continue
        display=$(sed -n 's/^DISPLAY=//p' "$workDir/announced")
        authority=$(sed -n 's/^XAUTHORITY=//p' "$workDir/announced")
        displays=("${display#:}")
        ;;
    esac
done
export DISPLAY=$display XDG_RUNTIME_DIR=$workDir/runtime WAYLAND_DISPLAY=wayland-0
if [[ -n "$authority" ]]; then export XAUTHORITY=$authority; else unset XAUTHORITY; fi
until xdpyinfo >/dev/null 2>&1; do
    ((SECONDS < deadline)) || Fail "Xwayland did not answer on $DISPLAY within ${startTimeout}s"
    sleep 0.1
done
# No auto-repeat: tests type a key's press and release with separate xdotool
# calls, and on a busy machine a key can stay down past the repeat delay.
xset r off

# In the background, so that a signal to this script is handled at once; <&0
# keeps the command's standard input.
"$@" <&0 &
commandPid=$!
status=0
wait "$commandPid" || status=$?
commandPid=
exit "$status"
