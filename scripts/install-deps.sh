#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Kelmot need,
# skipping those already present. Safe to run any number of times; every make
# target runs it first. It installs without the packages' recommendations, as a
# minimal Debian 12 would get them, so everything used is named here.
set -euo pipefail

packages=(
    # build, and the Debian package (dpkg-shlibdeps finds its dependencies;
    # CPack asks file which of the packaged files are programs)
    g++ cmake ninja-build pkg-config make dpkg-dev file
    # the release: the source archive and the time of the last commit
    git
    # checking the package and its metadata
    lintian appstream
    # drawing: OpenGL 1.1 and GLU, with Mesa's software renderer for headless runs
    libgl-dev libglu1-mesa-dev libgl1-mesa-dri
    # the window layer, and the monitors' modes on X
    libsdl2-dev libxrandr-dev
    # tests, sanitizers and fuzzing (clang's libFuzzer)
    googletest libgtest-dev clang libclang-rt-14-dev
    # reading the drawn icons back in the picture tool's tests
    zlib1g-dev
    # benchmark peers
    libstb-dev
    # text: finding and rasterising the menu font
    libfontconfig-dev libfreetype-dev fonts-liberation2
    # the start-up dialog, and the loader for the SVG icons GTK draws in it
    libgtk-3-dev librsvg2-common
    # a headless X display for the tests
    xvfb xauth
    # a real X server with switchable display modes, and a window manager, for
    # the display tests
    xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils openbox xdotool
    x11-apps x11-utils imagemagick procps
    # the Wayland desktops most players have, headless, for the tests labelled
    # desktop: GNOME's and KDE's compositors, Xwayland, and a session bus
    mutter kwin-wayland xwayland dbus-daemon
    # checking the installed menu entry
    desktop-file-utils
    # the Windows program: cross compiler and resource compiler, its installer's
    # maker, and Wine to run them and their tests (GoogleTest is built from the
    # googletest sources); reading its manifest back in the tests
    g++-mingw-w64-x86-64-posix nsis wine64 wine zip unzip libxml2-utils
    # the browser's game: emscripten (with node), and a headless browser with its
    # driver for the tests
    emscripten chromium chromium-driver python3-selenium
)

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
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
