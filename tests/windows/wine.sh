#!/usr/bin/env bash
# Usage: wine.sh PROGRAM.exe [ARGS...]
#
# Runs a Windows program under Wine's 64-bit loader, in the Wine prefix that
# WINEPREFIX names, with Wine's own messages off; the program's exit code is
# this script's. A prefix that does not exist yet is made first, under a lock,
# so that tests started side by side can share one: Wine's start-up files, no
# downloads, and "Times New Roman" drawn as Liberation Serif, its metric twin,
# which Debian has and Wine does not.
set -euo pipefail
: "${WINEPREFIX:?WINEPREFIX must name the Wine prefix to run in}"
export WINEPREFIX WINEDEBUG=-all
readonly wine=/usr/lib/wine/wine64 wineserver=/usr/lib/wine/wineserver64

if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
    mkdir -p "$(dirname "$WINEPREFIX")"
    exec 9>"$WINEPREFIX.lock"
    flock 9
    if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
        # Wine's .NET and web engine would be offered for download: not wanted.
        WINEDLLOVERRIDES="mscoree,mshtml=" "$wine" wineboot -i >/dev/null 2>&1
        "$wine" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Times New Roman' \
            /t REG_SZ /d 'Liberation Serif' /f >/dev/null 2>&1
        # The registry is written out when the prefix's server ends.
        "$wineserver" -w
    fi
    exec 9>&-
fi
exec "$wine" "$@"
