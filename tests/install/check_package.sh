#!/usr/bin/env bash
# What Debian's and the software centres' checks say of the package DEB:
# lintian, with no error and no warning (its informational and pedantic notes
# are shown); appstreamcli on the metadata, alone and beside the menu entry and
# icon it names; desktop-file-validate on the menu entry.
# Usage: check_package.sh DEB
set -euo pipefail
deb=$1
"$(dirname "$0")/../../scripts/install-deps.sh" check-package
unpacked=$(mktemp -d "${TMPDIR:-/tmp}/kelmot-check.XXXXXX")
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"
status=0
echo "- lintian"
lintian --fail-on error,warning --display-info --pedantic "$deb" || status=1
echo "- appstreamcli"
appstreamcli validate --no-net --pedantic "$unpacked"/usr/share/metainfo/*.metainfo.xml || status=1
appstreamcli validate-tree --no-net "$unpacked" || status=1
echo "- desktop-file-validate"
desktop-file-validate "$unpacked"/usr/share/applications/kelmot.desktop || status=1
exit "$status"
