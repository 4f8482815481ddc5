#!/usr/bin/env bash
# Installs the Debian packages that the make targets named need, skipping those
# already present: every make target runs it first with its own name, so that
# make run installs what the game needs and no test, Windows or browser tool.
# Safe to run any number of times. It installs without the packages'
# recommendations, as a minimal Debian 12 would get them, so everything used is
# named here.
# Usage: install-deps.sh TARGET...         install what the targets need
#        install-deps.sh --list TARGET...  print it, one package a line
# TARGET: run build test test-desktops test-sanitize package check-package
#         linux-portable test-portable windows windows-installer test-windows web test-web release fuzz bench
#         bench-smoke soak
set -euo pipefail

# Building the Linux game, and what it needs when it runs: OpenGL 1.1 and GLU
# with Mesa's drivers (its software renderer where there is no graphics card);
# SDL2 for the window, XRandR for the monitors' modes on X and XCB to place
# the message boxes; fontconfig and FreeType to find and rasterise the menu
# font, and the font itself; GTK 3 for the start-up dialog, with the loader
# for the SVG icons it draws there and a sans-serif face for its text (with
# only the menu font's family, fontconfig gives GTK the monospaced one).
game=(g++ cmake ninja-build pkg-config make
    libgl-dev libglu1-mesa-dev libgl1-mesa-dri
    libsdl2-dev libxrandr-dev libxcb1-dev
    libfontconfig-dev libfreetype-dev fonts-liberation2
    libgtk-3-dev librsvg2-common fonts-dejavu-core)
# The Debian package: dpkg-shlibdeps finds its dependencies, and CPack asks
# file which of the packaged files are programs.
packaging=(dpkg-dev file)
# Checking the package, its metadata and its menu entry (check_package.sh).
packageChecks=(lintian appstream desktop-file-utils)
# The Linux suite's own: GoogleTest, zlib to read the drawn icons back, pgrep;
# the speech client the game loads when it speaks, with python3 for the
# stand-in speech server that records what it is asked to say.
suite=(libgtest-dev zlib1g-dev procps libspeechd2 python3)
# A display of a test's own (tests/display/): Xvfb with openbox; xdotool types,
# x11-utils finds windows, x11-xserver-utils sets the keyboard and reads the
# modes, ImageMagick takes and reads screenshots; another program (xlogo) to put
# in front of the game.
display=(xvfb xauth openbox xdotool x11-utils x11-xserver-utils imagemagick x11-apps)
# An X server whose screen really changes size: Xorg on the dummy driver.
xorg=(xserver-xorg-core xserver-xorg-video-dummy)
# The desktops most players have, headless: GNOME's and KDE's compositors, the
# game through Xwayland, each on a session bus of its own (dbus-run-session).
desktops=(mutter kwin-wayland xwayland dbus-daemon)
# The board reader, a program of this machine that reads the game screen from
# screenshots in the Windows and browser tests.
boardReader=(g++ libgl-dev libglu1-mesa-dev)
# The Windows program: the cross compiler and resource compiler, and zip for
# its archive; NSIS makes its installer.
windows=(cmake ninja-build make g++-mingw-w64-x86-64-posix zip)
installer=(nsis)
# Its tests: Wine (wine64 starts its server through wine's commands; with Mesa
# for its OpenGL and Liberation Serif in the place of Times New Roman),
# GoogleTest built from its sources, the archive and the manifest read back.
windowsTests=(wine64 wine libgl1-mesa-dri fonts-liberation2 googletest unzip libxml2-utils)
# The browser's game: emscripten (with node and python3), and terser, which
# shrinks the page's scripts.
web=(cmake ninja-build make emscripten node-terser)
# Its tests: GoogleTest built from its sources, and headless chromium driven
# through selenium.
browser=(chromium chromium-driver python3-selenium)
webTests=(googletest)
# clang's libFuzzer.
fuzz=(clang libclang-rt-14-dev)
# The other libraries the BMP reader is timed against.
benchPeers=(libstb-dev)
# The display the Linux benchmarks run on: Xvfb (through xvfb-run, or
# tests/display/with_xvfb.sh with openbox, whose start x11-utils and
# x11-xserver-utils check and set up).
benchDisplay=(xvfb xauth openbox x11-utils x11-xserver-utils)
# npm, which installs Lighthouse into the build folder for the browser page's
# figures (Debian's package; some nodejs packages have it built in).
lighthouse=(npm)
# The archive for any distribution: the game's own packages (their static
# SDL2 and GLU among them), and objdump to read the glibc versions it asks for.
portable=(binutils)
# Its test in fresh minimal Debian systems: debootstrap, a display, the board
# reader, and the install tests' shared checks (tests/install/lib.sh).
portableTests=(debootstrap desktop-file-utils)
# The release: its source archive from git; unzip lists the archives of two
# builds that differ.
release=(git unzip)

packages=()
Add() {
    local group
    for group in "$@"; do
        local -n members=$group
        packages+=("${members[@]}")
    done
}

list=false
if [[ "${1:-}" == --list ]]; then
    list=true
    shift
fi
if (($# == 0)); then
    echo "usage: $(basename "$0") [--list] TARGET... (make targets: run, test, ...)" >&2
    exit 2
fi
for target in "$@"; do
    case $target in
    run | build) Add game ;;
    package) Add game packaging ;;
    check-package) Add packageChecks ;;
    # The suite builds and checks the package and plays the game on displays of
    # its own; under the sanitizers too (with gcc's).
    test | test-sanitize) Add game packaging packageChecks suite display xorg ;;
    # Full screen on those desktops (the tests labelled desktop).
    test-desktops) Add game suite display desktops ;;
    linux-portable) Add game portable ;;
    test-portable) Add game portable portableTests display boardReader ;;
    windows) Add windows ;;
    windows-installer) Add windows installer ;;
    test-windows) Add windows installer windowsTests boardReader display xorg ;;
    web) Add web ;;
    # With the Linux game, whose main menu the page's is compared with.
    test-web) Add web webTests browser boardReader game display ;;
    # The Debian package and the Windows program and installer, built twice
    # from the source archive and compared.
    release) Add release game packaging portable windows installer ;;
    fuzz) Add game fuzz ;;
    # The Linux game and the browser's page, each beside its baselines.
    bench)
        Add game benchPeers web browser display
        command -v npm >/dev/null || Add lighthouse
        ;;
    # Each benchmark once, without Lighthouse.
    bench-smoke) Add game benchPeers benchDisplay web browser ;;
    soak) Add game display ;;
    *)
        echo "error: no list of packages for the make target $target" >&2
        exit 2
        ;;
    esac
done
mapfile -t packages < <(printf '%s\n' "${packages[@]}" | sort -u)

if $list; then
    printf '%s\n' "${packages[@]}"
    exit 0
fi

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$package")
done

if ((${#missing[@]} == 0)); then
    exit 0
fi

echo "Installing missing packages: ${missing[*]}"
if ((EUID == 0)); then
    as_root=()
elif command -v sudo >/dev/null; then
    as_root=(sudo)
else
    echo "error: these packages are missing and neither root nor sudo is available: ${missing[*]}" >&2
    exit 1
fi

export DEBIAN_FRONTEND=noninteractive
# Another apt at work (a fresh desktop's daily upgrade, a target made beside
# this one) is waited for rather than failed on.
waitForLock=(-o DPkg::Lock::Timeout=600)
"${as_root[@]}" apt-get update -qq "${waitForLock[@]}"
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${waitForLock[@]}" "${missing[@]}"
