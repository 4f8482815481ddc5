#!/usr/bin/env bash
# Each make target's packages (scripts/install-deps.sh --list) against what the
# target really runs: every program that its build files and scripts call, or
# name by its full path, must come from one of its packages, their dependencies
# or the minimal Debian system. The game's own list brings in no tool of the
# tests, the package checks or the other systems, and the Linux suite's none of
# the other systems'. A target whose packages are not all installed here is
# passed over: its programs cannot be traced to their packages.
# Usage: deps_lists_test.sh
# shellcheck source=../e2e/lib.sh
source "$(dirname "$0")/../e2e/lib.sh"
cd "$sourceDir"

# What the file $1 uses, one a line: "program NAME", "file PATH" or "runs FILE".
# A shell script is printed back by bash without its comments, one command a
# line, and the first word of each command is taken; a CMake file gives its
# find_program names and the first words of its COMMANDs, leaving out what
# configure asks of git in a checkout, which has git. The scripts a file runs
# or sources are named by a path after a variable or a command substitution,
# found beside it or else by the end of that path in the tree.
Uses() {
    local text reference found
    if [[ "$1" == *.sh ]]; then
        text=$(<"$1")
        eval "ScriptBody() {
$text
}"
        text=$(declare -f ScriptBody | sed -E 's/\(\([^)]*\)\)//g; s/^[[:space:]]*//
            /^[A-Za-z_][A-Za-z0-9_]*=\(/d; s/^([A-Za-z_][A-Za-z0-9_]*=[^ ]* +)+//')
        grep -oE '(^|\| |&& |\|\| |\$\(|<\(|! |then |do |if |while |until )[A-Za-z][A-Za-z0-9_.+-]*( |\)|;|$)' <<<"$text" |
            sed -E 's/^(\| |&& |\|\| |\$\(|<\(|! |then |do |if |while |until )//; s/[ );]$//
                s/^/program /' || true
    else
        text=$(sed 's/#.*//' "$1" | sed -z 's/execute_process([^)]*)//g')
        grep -oE 'find_program\([A-Z_]+ (NAMES )?[a-z][A-Za-z0-9_.+-]*|COMMAND [a-z][A-Za-z0-9_.+-]*' <<<"$text" |
            awk '{ print "program", $NF }' || true
    fi
    grep -oE '/usr/(s?bin|lib)/[A-Za-z0-9_./+-]*[A-Za-z0-9]' <<<"$text" | grep -v kelmot |
        sed 's/^/file /' || true
    for reference in $(grep -oE '(\$\{?[A-Za-z_][A-Za-z0-9_]*\}?|\))(/[A-Za-z0-9_.-]+)+\.sh\b' <<<"$text" |
        sed -E 's|^[^/]*/||; s|^(\.\./)+||'); do
        found=${1%/*}/$reference
        [[ -f "$found" ]] || found=$(find . -path ./build\* -prune -o -path "*/$reference" -print -quit)
        [[ -z "$found" ]] || echo "runs ${found#./}"
    done
}

# The files that the file $1 uses, as full paths without links, in usedBy[$1],
# and the scripts it runs in runBy[$1]. Shell builtins and keywords are passed
# over; the scripts' own functions are not on the PATH.
declare -A usedBy=() runBy=() builtins=()
for name in $(compgen -b -k | grep '^[a-z]'); do builtins[$name]=1; done
ReadFile() {
    local kind name programs=() found=
    while read -r kind name; do
        case $kind in
        program) [[ -z "$name" || -n "${builtins[$name]:-}" ]] || programs+=("$name") ;;
        file) [[ ! -e "$name" ]] || found+=" $name" ;;
        runs) runBy[$1]+=" $name" ;;
        esac
    done < <(Uses "$1" | sort -u)
    found+=" $(PATH=/usr/sbin:/usr/bin:/sbin:/bin type -P "${programs[@]}" | paste -sd ' ' || true)"
    [[ -z "${found// /}" ]] || usedBy[$1]=$(readlink -f $found | paste -sd ' ' || true)
}

# Checks make target $1 against the files it uses, $2 onwards, and the scripts
# they run in turn; leaves the packages its list brings in $brought.
CheckTarget() {
    local target=$1 packages missing file package path
    local -a queue=("${@:2}") seen=() paths=()
    local -A owners=() ok=() inList=()
    mapfile -t packages < <(scripts/install-deps.sh --list "$target")
    missing=$(dpkg-query -W -f='${Status}\n' "${packages[@]}" 2>&1 | grep -vc '^install ok installed$' || true)
    if ((missing > 0)); then
        echo "- make $target: not checked, $missing of its packages are not installed here"
        return
    fi
    while ((${#queue[@]} > 0)); do
        file=${queue[0]}
        queue=("${queue[@]:1}")
        [[ " ${seen[*]} " != *" $file "* ]] || continue
        seen+=("$file")
        [[ -n "${usedBy[$file]+set}" ]] || ReadFile "$file"
        paths+=(${usedBy[$file]:-})
        queue+=(${runBy[$file]:-})
    done
    echo "- make $target: ${#packages[@]} packages, for ${#seen[@]} files"
    # The packages the list brings (following every alternative), and those that
    # own each file used (dpkg may know a file by its path without /usr).
    brought=$(awk -v list="${packages[*]}" '
        /^[^ ]/ { package = $1; gsub(/[<>]/, "", package); next }
        { name = $NF; gsub(/[<>]/, "", name); needs[package] = needs[package] " " name }
        END {
            count = split(list, queue, " ")
            for (i = 1; i <= count; i++) seen[queue[i]] = 1
            while (count > 0) {
                n = split(needs[queue[count--]], more, " ")
                for (i = 1; i <= n; i++) if (!(more[i] in seen)) { seen[more[i]] = 1; queue[++count] = more[i] }
            }
            for (package in seen) print package
        }' <<<"$dependencies")
    for package in $brought $required; do inList[$package]=1; done
    while read -r package path; do
        path=/usr${path#/usr}
        owners[$path]+=" $package"
        [[ -z "${inList[$package]:-}" ]] || ok[$path]=1
    done < <(printf '%s\n' "${paths[@]}" | sed 'p; s|^/usr/|/|' | sort -u |
        grep -xF -f - /var/lib/dpkg/info/*.list | sed -E 's|^.*/([^/:]+)(:[a-z0-9]+)?\.list:|\1 |')
    for path in $(printf '%s\n' "${paths[@]}" | sort -u); do
        [[ -n "${ok[$path]:-}" ]] ||
            Fail "make $target uses $path (from${owners[$path]:- no package}), which its list does not bring"
    done
}

# Fails when the packages that make $1 brings include one that the extended
# pattern $2 matches.
Forbid() {
    local found
    found=$(grep -E "^($2)" <<<"$brought" | paste -sd ' ' || true)
    [[ -z "$found" ]] || Fail "make $1 brings in $found"
}

# What every list needs, package by package, and the packages every Debian has.
mapfile -t allPackages < <(scripts/install-deps.sh --list run test check-package test-windows \
    test-web test-portable release fuzz bench soak)
dependencies=$(apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts \
    --no-breaks --no-replaces --no-enhances "${allPackages[@]}" 2>/dev/null || true)
required=$(dpkg-query -W -f='${Package} ${Priority}\n' | awk '$2 == "required" { print $1 }')

linux=(CMakeLists.txt src/platform/linux/platform.cmake packaging/packaging.cmake
    packaging/release.cmake)
testTools='xvfb|xserver-xorg-core|imagemagick|openbox|xdotool|googletest|lintian|appstream'
otherSystems='wine|g\+\+-mingw|nsis|emscripten|nodejs|chromium|clang'

brought=
CheckTarget run "${linux[@]}"
Forbid run "$testTools|$otherSystems"
brought=
CheckTarget test "${linux[@]}" tests/CMakeLists.txt tools/CMakeLists.txt
Forbid test "$otherSystems"
CheckTarget check-package tests/install/check_package.sh
# Every script of the Windows and browser tests runs in their suites.
CheckTarget test-windows packaging/windows/windows.cmake cmake/mingw-w64-x86_64.cmake \
    tests/windows/windows_tests.cmake tests/e2e/board_reader.cmake tests/windows/*.sh
CheckTarget test-web "${linux[@]}" src/platform/web/page.cmake tests/web/web_tests.cmake \
    tests/e2e/board_reader.cmake tests/web/*.sh
CheckTarget test-portable "${linux[@]}" packaging/linux/portable.cmake packaging/linux/*.sh \
    tests/install/portable_test.sh tests/install/debian_root.sh tests/display/with_xvfb.sh
CheckTarget release "${linux[@]}" packaging/windows/windows.cmake packaging/linux/portable.cmake \
    packaging/linux/*.sh scripts/release.sh
CheckTarget fuzz "${linux[@]}" fuzz/CMakeLists.txt
CheckTarget bench "${linux[@]}" bench/CMakeLists.txt tests/display/with_xvfb.sh
CheckTarget soak "${linux[@]}" scripts/soak.sh
Finish
