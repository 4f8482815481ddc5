#!/usr/bin/env bash
# Usage: with_xvfb.sh CMD [ARGS...]
#
# Runs CMD on an X display of its own (Xvfb, 1280x1024, software OpenGL) with
# openbox managing its windows. Tests that type keys, move windows or look at
# the whole screen use it, so that they never share a display with tests
# running beside them.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
exec xvfb-run -a -s "-screen 0 1280x1024x24" "$here/with_openbox.sh" "$@"
