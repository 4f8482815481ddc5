#!/usr/bin/env bash
# Makes the release of the last commit in OUT (make release: build/release/):
#   kelmot-VERSION.tar.gz        the source, as git archive gives it
#   kelmot_VERSION_amd64.deb     the Debian package
#   kelmot-VERSION-linux-x86_64.tar.gz  the archive for any Linux distribution
#   kelmot.exe                   the Windows program
#   kelmot-VERSION-win64.zip     its portable archive
#   kelmot-VERSION-setup.exe     its installer
#   SHA256SUMS                   the sums of the six
# Everything is built from the source archive itself, so only what is
# committed counts. It is built twice, in two folders of different names, at
# two different times, with a different umask and time zone, and the two
# builds must agree byte for byte: anyone can check that a published file was
# built from this source. Where they differ, the files that differ and what in
# them differs are listed, and nothing is released.
# Usage: release.sh OUT
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:?usage: release.sh OUT}")
version=$(<"$top/VERSION")
name=kelmot-$version
products=("kelmot_${version}_amd64.deb" "$name-linux-x86_64.tar.gz" kelmot.exe "$name-win64.zip"
    "$name-setup.exe")

if [[ -n "$(git -C "$top" status --porcelain --untracked-files=no)" ]]; then
    echo "note: the tree has changes that are not committed; the release is of the last commit" >&2
fi
work=$(mktemp -d "${TMPDIR:-/tmp}/kelmot-release.XXXXXX")
trap 'rm -rf "$work"' EXIT

echo "- the source of $(git -C "$top" rev-parse --short HEAD): $name.tar.gz"
git -C "$top" archive --format=tar --prefix="$name/" HEAD | gzip -9n >"$work/$name.tar.gz"

# Builds everything from the source archive under the folder $1, with umask $2
# and time zone $3, as a developer would (make package, make linux-portable,
# make windows and make windows-installer, the tests left out), and gathers the
# products in $1/products.
BuildOnce() {
    local folder=$1 source=$1/$name started=$SECONDS
    mkdir -p "$folder/products"
    (
        umask "$2"
        export TZ=$3
        # Nothing of the make that started this script (its BUILD_DIR, say).
        unset MAKEFLAGS MFLAGS MAKELEVEL
        tar -xzf "$work/$name.tar.gz" -C "$folder"
        make -C "$source" package CMAKE_FLAGS=-DBUILD_TESTING=OFF
        make -C "$source" linux-portable
        make -C "$source" windows windows-installer
    ) >"$folder/build.log" 2>&1 || { tail -40 "$folder/build.log"; exit 1; }
    cp "$source/build/kelmot_${version}_amd64.deb" "$source/build-portable/$name-linux-x86_64.tar.gz" \
        "$source/build-windows/kelmot.exe" \
        "$source/build-windows/$name-win64.zip" "$source/build-windows/$name-setup.exe" \
        "$folder/products/"
    echo "  built in $((SECONDS - started)) s"
}

# What the members of file $1 are, one a line with their sizes and times, to
# show where two builds part.
Listing() {
    case "$1" in
    *.deb) ar tv "$1"; dpkg-deb --contents "$1"; dpkg-deb --info "$1" ;;
    *.zip) unzip -Z -l "$1" ;;
    *.tar.gz) tar -tvzf "$1" ;;
    *.exe) objdump -x "$1" 2>/dev/null | head -60 ;;
    esac
}

echo "- a first build, in $work/first"
BuildOnce "$work/first" 022 UTC
echo "- a second build, in $work/a/second/folder, later"
BuildOnce "$work/a/second/folder" 002 Pacific/Kiritimati

echo "- the two builds compared"
differing=0
for product in "${products[@]}"; do
    first=$work/first/products/$product
    second=$work/a/second/folder/products/$product
    if cmp -s "$first" "$second"; then
        echo "  the same: $product"
    else
        differing=$((differing + 1))
        echo "  DIFFERENT: $product ($(cmp -l "$first" "$second" | wc -l) bytes differ); its listings:"
        diff <(Listing "$first") <(Listing "$second") | sed 's/^/    /' || true
    fi
done
if ((differing > 0)); then
    echo "FAIL: $differing of the ${#products[@]} files differ between two builds of the same commit" >&2
    exit 1
fi

mkdir -p "$out"
rm -f "$out"/*
cp "$work/$name.tar.gz" "${products[@]/#/$work/first/products/}" "$out/"
(cd "$out" && sha256sum "$name.tar.gz" "${products[@]}" >SHA256SUMS)
echo "- the release, in $out:"
(cd "$out" && ls -l --time-style=+ | sed 1d | awk '{ print "  " $5 "\t" $6 }' && sed 's/^/  /' SHA256SUMS)
