#!/usr/bin/env bash
# The README's two commands on a fresh minimal Debian 12 (debootstrap, then git,
# make and sudo, as a new machine is set up): the last commit of this checkout
# is cloned there; make run alone is started on a display of the host's, its
# start-up dialog answered and the game window closed; then make test is run as
# root (as CI runs it). Nothing but those two commands installs the tools the
# game is built and tested with, and make run only those of the game. Needs root
# and the Debian mirror, and takes long, so it is run by hand:
#   sudo tests/install/clean_debian_checkout.sh
# It prints what each command installs (apt's figures), the time of each step
# and ctest's summary. LOG=FILE keeps make test's whole output (default:
# kelmot-clean-debian-make-test.log in TMPDIR or /tmp), SHOT=FILE.png a
# screenshot of the dialog.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
checkout=/root/kelmot

# Run again as clean_debian_checkout.sh --play ROOT on the test display: make
# run in the new system, on the host's display.
if [[ "${1:-}" == --play ]]; then
    root=$2
    # shellcheck source=lib.sh
    source "$here/lib.sh"
    started=$SECONDS
    chroot "$root" env -i DISPLAY="$DISPLAY" HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin \
        sh -c "cd $checkout && exec make run" >"$scratch/run.txt" 2>&1 &
    gamePid=$!
    # make first installs, configures and builds, which can take a while on a
    # busy machine. CMake's first line ends the installing.
    installed=
    for _ in $(seq 7200); do
        [[ -n "$installed" ]] || ! grep -q '^-- ' "$scratch/run.txt" || installed=$((SECONDS - started))
        if [[ -n "$(DialogId)" ]] || ! kill -0 "$gamePid" 2>/dev/null; then break; fi
        sleep 0.5
    done
    WaitForDialog >/dev/null || { cat "$scratch/run.txt"; Finish; }
    echo "  installed in ${installed:-?} s; the dialog came after $((SECONDS - started)) s"
    sleep 1
    [[ -z "${SHOT:-}" ]] || import -window root "$SHOT"
    # Windowed (a test display cannot change its size), then OK.
    Press Tab Tab space Return
    WaitForWindow Kelmot >/dev/null || Fail "no game window after the dialog"
    RequestClose
    ExpectExit 0
    echo "  make run printed, after the build:"
    sed -n '/cd .*run && .\/kelmot/,$p' "$scratch/run.txt" | sed 's/^/    /'
    Finish
    exit 0
fi

top=$(git -C "$here" rev-parse --show-toplevel)
commit=$(git -C "$top" rev-parse HEAD)
log=$(realpath -m "${LOG:-${TMPDIR:-/tmp}/kelmot-clean-debian-make-test.log}")
# shellcheck source=debian_root.sh
source "$here/debian_root.sh"
started=$SECONDS
Step() {
    echo "  took $1 s"
}
inRoot=(chroot "$root" env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin TERM=dumb)
# What make $1 will install there, in apt's own figures (apt answers no, and
# fails).
WillInstall() {
    local packages
    mapfile -t packages < <("${inRoot[@]}" "$checkout/scripts/install-deps.sh" --list "$1")
    { "${inRoot[@]}" apt-get install --no-install-recommends --assume-no "${packages[@]}" 2>&1 || true; } |
        awk '/newly installed/ { count = $3 } /^Need to get/ { download = $4 " " $5 }
            /^After this operation/ { disk = $4 " " $5 }
            END { printf "  it installs %d packages: %s to download, %s on disk\n", count, download, disk }'
}

MakeDebianRoot git make sudo
Step "$((SECONDS - started))"

echo "- a clone of $commit"
git clone --quiet --no-hardlinks "$top" "$root$checkout"
git -C "$root$checkout" checkout --quiet --detach "$commit"

echo "- make run alone, to the start-up dialog, on a display of the host's"
WillInstall run
stepStarted=$SECONDS
BindDisplays
"$here/../display/with_xvfb.sh" "$0" --play "$root"
# make test's X servers must not meet the host's displays.
UnbindDisplays
Step "$((SECONDS - stepStarted))"

echo "- make test, after it (the log: $log)"
WillInstall test
stepStarted=$SECONDS
# Its first step, install-deps.sh, needs the network; the rest runs in a network
# namespace of its own, where its X servers' abstract sockets cannot meet the
# host's displays of the same number. (install-deps.sh runs again there and
# must find nothing missing.)
status=0
"${inRoot[@]}" "$checkout/scripts/install-deps.sh" test >"$log" 2>&1 || status=$?
echo "  installed in $((SECONDS - stepStarted)) s"
((status != 0)) || unshare --net sh -c 'ip link set lo up && exec "$@"' sh "${inRoot[@]}" \
    make -C "$checkout" test >>"$log" 2>&1 || status=$?
Step "$((SECONDS - stepStarted))"
grep -E '^[0-9]+% tests passed|^The following tests|^[[:space:]]+[0-9]+ - ' "$log" | sed 's/^/  /' || true
if ((status != 0)); then
    echo "FAIL: make test exited with $status; the end of its log:" >&2
    tail -40 "$log" >&2
    exit 1
fi
echo "- all of it: $((SECONDS - started)) s"
