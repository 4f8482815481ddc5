#!/usr/bin/env bash
# Usage: wine.sh PROGRAM.exe [ARGS...]
#
# Runs a Windows program under Wine's 64-bit loader, in the Wine prefix that
# WINEPREFIX names, with Wine's own messages off; the program's exit code is
# this script's. A prefix that does not exist yet is made first, under a lock,
# so that tests started side by side can share one: a copy of the prefix that
# KELMOT_WINE_TEMPLATE names (by default "template" beside WINEPREFIX), which is
# made once for all of them; with KELMOT_WINE_TEMPLATE set empty, made anew. A
# prefix made here has Wine's start-up files, no downloads, and "Times New
# Roman" drawn as Liberation Serif, its metric twin, which Debian has and Wine
# does not.
set -euo pipefail
: "${WINEPREFIX:?WINEPREFIX must name the Wine prefix to run in}"
export WINEPREFIX WINEDEBUG=-all
readonly wine=/usr/lib/wine/wine64 wineserver=/usr/lib/wine/wineserver64
readonly template=${KELMOT_WINE_TEMPLATE-$(dirname "$WINEPREFIX")/template}

# Makes the prefix $1 anew, under a lock of its own, unless it is there.
MakePrefix() {
    [[ -f "$1/system.reg" ]] && return 0
    mkdir -p "$(dirname "$1")"
    (
        flock 9
        [[ -f "$1/system.reg" ]] && exit 0
        export WINEPREFIX=$1
        # Wine's .NET and web engine would be offered for download: not wanted.
        WINEDLLOVERRIDES="mscoree,mshtml=" "$wine" wineboot -i >/dev/null 2>&1
        "$wine" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Times New Roman' \
            /t REG_SZ /d 'Liberation Serif' /f >/dev/null 2>&1
        # The registry is written out when the prefix's server ends.
        "$wineserver" -w
    ) 9>"$1.lock"
}

if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
    if [[ -z "$template" || "$template" == "$WINEPREFIX" ]]; then
        MakePrefix "$WINEPREFIX"
    else
        MakePrefix "$template"
        mkdir -p "$(dirname "$WINEPREFIX")"
        (
            flock 9
            if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
                rm -rf "$WINEPREFIX" "$WINEPREFIX.copy"
                cp -a "$template" "$WINEPREFIX.copy"
                mv "$WINEPREFIX.copy" "$WINEPREFIX"
            fi
        ) 9>"$WINEPREFIX.lock"
    fi
fi
exec "$wine" "$@"
