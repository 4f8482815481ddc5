#!/usr/bin/env bash
# The game installed into a scratch prefix with cmake --install: the files land
# in their places, and the launcher keeps prefs.txt in the player's own folder
# whatever folder it is started from.
# Usage: launcher_test.sh CMAKE BUILD_DIR
cmake=$1
build=$2
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"

prefix=$scratch/prefix
launcher=$prefix/games/kelmot
"$cmake" --install "$build" --prefix "$prefix" >"$scratch/install.log" ||
    { cat "$scratch/install.log"; Fail "cmake --install failed"; Finish; }

# The launcher links to the pictures by their path with no links in it.
pictures=$(realpath "$prefix")/share/kelmot/Data

echo "- the installed files, and nothing else"
expected=(games/kelmot libexec/kelmot/kelmot libexec/kelmot/kelmot-dialog.so
    libexec/kelmot/kelmot-mode-guard
    share/applications/kelmot.desktop share/metainfo/invalid.kelmot.Kelmot.metainfo.xml
    share/man/man6/kelmot.6.gz share/doc/kelmot/changelog.gz share/doc/kelmot/copyright
    share/doc/kelmot/NEWS.md)
for picture in "${expectedPictures[@]}"; do expected+=("share/kelmot/Data/$picture"); done
for size in "${iconSizes[@]}"; do
    expected+=("share/icons/hicolor/${size}x$size/apps/kelmot.png")
done
installed=$(cd "$prefix" && find . -type f -o -type l | sed 's|^\./||' | sort)
# The list make install keeps for make uninstall: full paths, the last line
# without a newline, as CMake writes it.
sed "s|^|$prefix/|" <<<"$installed" | head -c -1 >"$scratch/installed-files.txt"
[[ "$installed" == "$(printf '%s\n' "${expected[@]}" | sort)" ]] ||
    Fail "installed: $(echo $installed)"
[[ -x "$launcher" && -x "$prefix/libexec/kelmot/kelmot" && -x "$prefix/libexec/kelmot/kelmot-mode-guard" ]] ||
    Fail "the programs are not executable"
for picture in "${expectedPictures[@]}"; do
    cmp -s "$sourceDir/Data/$picture" "$prefix/share/kelmot/Data/$picture" ||
        Fail "the installed $picture differs from Data/$picture"
done
for size in "${iconSizes[@]}"; do
    icon=${size}x$size/apps/kelmot.png
    cmp -s "$sourceDir/resources/icons/$icon" "$prefix/share/icons/hicolor/$icon" ||
        Fail "the installed icon $icon differs from resources/icons/$icon"
done
ExpectMenuEntry "$prefix/share/applications/kelmot.desktop"

echo "- arguments are refused with a usage line, before anything is made"
export HOME=$scratch/home
unset XDG_DATA_HOME
mkdir -p "$HOME" "$scratch/elsewhere"
cd "$scratch/elsewhere"
status=0
# (A launcher that let the game start anyway would wait for its dialog.)
timeout 20 "$launcher" --fullscreen 2>"$scratch/usage.txt" || status=$?
[[ $status == 2 ]] || Fail "exit code $status with an argument, expected 2"
[[ "$(cat "$scratch/usage.txt")" == "usage: kelmot "* && $(wc -l <"$scratch/usage.txt") == 1 ]] ||
    Fail "not one usage line: $(cat "$scratch/usage.txt")"
[[ ! -e "$HOME/.local" ]] || Fail "the refused start made $HOME/.local"

echo "- a first run from an unrelated folder, found on the PATH"
PATH=$prefix/games:$PATH FirstRunThroughDialog kelmot "$scratch/stderr.txt"
folder=$HOME/.local/share/kelmot
ExpectPlayerFolder "$folder" "$pictures" 0
[[ "$(stat -c %a "$folder")" == 700 ]] || Fail "$folder has mode $(stat -c %a "$folder"), not 700"
[[ -z "$(ls -A "$scratch/elsewhere")" ]] || Fail "the game wrote into the folder it was started from"
found=$(find "$scratch" -name prefs.txt)
[[ "$found" == "$folder/prefs.txt" ]] || Fail "prefs.txt found at: $found"
[[ "$(grep -v '^error: XDG_RUNTIME_DIR' "$scratch/stderr.txt")" == "" ]] ||
    Fail "standard error was: $(cat "$scratch/stderr.txt")"

echo "- the next run, through a link to the launcher, keeps the player's options"
sed -i 's/configpanel=1/configpanel=0/; s/fullscreen=1/fullscreen=0/' "$folder/prefs.txt"
saved=$(cat "$folder/prefs.txt")
mkdir "$scratch/links"
ln -s "$launcher" "$scratch/links/kelmot"
"$scratch/links/kelmot" 2>"$scratch/stderr.txt" &
gamePid=$!
WaitForWindow Kelmot >/dev/null || Fail "no game window without the dialog"
[[ -z "$(DialogId)" ]] || Fail "the dialog came up although the options turn it off"
RequestClose
ExpectExit 0
[[ "$(cat "$folder/prefs.txt")" == "$saved" ]] || Fail "prefs.txt changed: $(cat "$folder/prefs.txt")"

# The rest need no window: without a display the game still writes its default
# prefs.txt on a first run, then ends with -1.
NoDisplayRun() {
    status=0
    env -u DISPLAY -u WAYLAND_DISPLAY "$launcher" 2>"$scratch/stderr.txt" || status=$?
    [[ $status == 255 ]] || Fail "exit code $status without a display: $(cat "$scratch/stderr.txt")"
}

echo "- XDG_DATA_HOME, when a full path, holds the folder; a relative one is ignored"
XDG_DATA_HOME=$scratch/data NoDisplayRun
ExpectPlayerFolder "$scratch/data/kelmot" "$pictures" 1
rm -r "$folder"
XDG_DATA_HOME=relative/data NoDisplayRun
ExpectPlayerFolder "$folder" "$pictures" 1
[[ ! -e relative ]] || Fail "a relative XDG_DATA_HOME was used"

echo "- a stale link is led to this install; the player's own Data folder is kept"
ln -sfn "$scratch/gone" "$folder/Data"
NoDisplayRun
[[ "$(readlink "$folder/Data")" == "$pictures" ]] ||
    Fail "the stale link still leads to $(readlink "$folder/Data")"
rm "$folder/Data"
mkdir "$folder/Data"
touch "$folder/Data/mine.bmp"
NoDisplayRun
[[ -d "$folder/Data" && ! -L "$folder/Data" && -f "$folder/Data/mine.bmp" ]] ||
    Fail "the player's own Data folder was replaced"

echo "- no place for the folder: a clear message, and the game is not started"
touch "$scratch/a-file"
for setting in "XDG_DATA_HOME=$scratch/a-file" "HOME=" "HOME=relative"; do
    status=0
    env -u XDG_DATA_HOME "$setting" "$launcher" 2>"$scratch/stderr.txt" || status=$?
    [[ $status == 1 ]] || Fail "exit code $status with $setting, expected 1"
    [[ "$(cat "$scratch/stderr.txt")" == "kelmot: "* && $(wc -l <"$scratch/stderr.txt") == 1 ]] ||
        Fail "with $setting, standard error was: $(cat "$scratch/stderr.txt")"
done

echo "- pictures removed from the install: a clear message"
rm -r "$prefix/share/kelmot/Data"
status=0
"$launcher" 2>"$scratch/stderr.txt" || status=$?
[[ $status == 1 ]] || Fail "exit code $status without the installed pictures, expected 1"
grep -q "reinstall" "$scratch/stderr.txt" || Fail "standard error was: $(cat "$scratch/stderr.txt")"

echo "- uninstalling removes every listed file and the game's own folders, nothing else"
touch "$prefix/share/applications/other.desktop"
"$sourceDir/scripts/uninstall.sh" "$scratch/installed-files.txt" >/dev/null
left=$(cd "$prefix" && find . -type f -o -type l)
[[ "$left" == ./share/applications/other.desktop ]] || Fail "left after uninstalling: $left"
[[ -z "$(find "$prefix" -name kelmot)" ]] || Fail "folders left: $(find "$prefix" -name kelmot)"
[[ ! -e "$scratch/installed-files.txt" ]] || Fail "the list of installed files is left"

Finish
