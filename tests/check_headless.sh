#!/usr/bin/env bash
# Fails when one of the given static libraries refers to an OpenGL, GLU, SDL or
# GTK symbol. The winning line's drawing function is the one expected outside
# reference: the game library declares it, its own small library defines it.
set -euo pipefail
status=0
for library in "$@"; do
    found=$(nm --undefined-only "$library" | awk '{print $NF}' |
        grep -E '^(gl[A-Z]|glu[A-Z]|SDL_|gtk_|gdk_|g_)' || true)
    if [[ -n "$found" ]]; then
        echo "$library refers to:" >&2
        echo "$found" >&2
        status=1
    fi
done
exit $status
