#!/usr/bin/env bash
# The Windows build where NSIS is not to be had (KELMOT_MAKENSIS names a file
# that is not there, as find_program leaves it on a machine without nsis):
# it configures, its default build makes the program and its archive and not
# the installer, and asking for the installer fails at once, saying what is
# missing. The default build is read from its build graph (ninja -t commands),
# not run: the program's own build is the same as in every other Windows build.
# Usage: build_without_nsis_test.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
sourceDir=$1
buildDir=$2

failures=0
Fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

rm -rf "$buildDir"
if ! configured=$(cmake -S "$sourceDir" -B "$buildDir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$sourceDir/cmake/mingw-w64-x86_64.cmake" -DBUILD_TESTING=OFF \
    -DKELMOT_MAKENSIS="$buildDir/no-makensis-here" 2>&1); then
    echo "$configured" >&2
    Fail "the build does not configure without NSIS"
else
    plan=$(ninja -C "$buildDir" -t commands)
    grep -q -- '-o kelmot\.exe' <<<"$plan" || Fail "the default build does not make kelmot.exe"
    grep -qE '[/ ]zip( -[^ ]+)* [^ ]*-win64\.zip' <<<"$plan" ||
        Fail "the default build does not pack the archive"
    ! grep -q 'makensis\|-setup\.exe' <<<"$plan" || Fail "the default build makes the installer"
    if asked=$(ninja -C "$buildDir" kelmot_installer 2>&1); then
        Fail "asking for the installer succeeded without NSIS"
    fi
    grep -q 'makensis was not found: install the Debian package nsis' <<<"$asked" ||
        Fail "asking for the installer does not say what is missing: $asked"
    ! grep -q 'Building CXX' <<<"$asked" || Fail "asking for the installer built the program first"
fi
rm -rf "$buildDir"

if ((failures > 0)); then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "all checks held"
