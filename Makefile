# The one way to build Kelmot. Every target first installs the Debian packages
# it needs that are missing (scripts/install-deps.sh, given the target's name):
# make run only what the game needs, make test what its tests need as well.

BUILD_DIR ?= build
# Extra options for the CMake configure step, e.g. CMAKE_FLAGS=-DKELMOT_WERROR=ON
CMAKE_FLAGS ?=
# The tests get a real X display with software OpenGL, so drawing can be checked.
# -noreset: by default Xvfb resets when its last client leaves, and a test that
# connects during the reset (the other job of -j2 just ended) finds no display.
XVFB := xvfb-run -a -s "-screen 0 1280x1024x24 -noreset"

.PHONY: all build run test test-desktops test-sanitize install uninstall package windows \
	windows-installer test-windows web run-web test-web linux-portable test-portable release fuzz \
	bench bench-smoke soak clean

all: build

CONFIGURE = cmake -S . -B $(BUILD_DIR) -G Ninja $(CMAKE_FLAGS)
# A new build folder is made without the tests, which need tools the game does
# not; make test turns them on, and they stay on in that folder.
GAME_CONFIGURE = $(CONFIGURE) $(if $(wildcard $(BUILD_DIR)/CMakeCache.txt),,-DBUILD_TESTING=OFF)

build:
	@scripts/install-deps.sh build
	$(GAME_CONFIGURE)
	cmake --build $(BUILD_DIR)

# The game reads Data/ and prefs.txt from its working folder: build/run, where
# the build places the pictures and the start-up dialog's module beside it. Only
# the game and what it needs are built, not the tests.
run:
	@scripts/install-deps.sh run
	$(GAME_CONFIGURE)
	cmake --build $(BUILD_DIR) --target kelmot_runtime
	cd $(BUILD_DIR)/run && ./kelmot

# Every test but those on the compositors of the common Linux desktops, which
# need those desktops installed: make test-desktops runs them.
test:
	@scripts/install-deps.sh test
	$(CONFIGURE) -DBUILD_TESTING=ON
	cmake --build $(BUILD_DIR)
	$(XVFB) ctest --test-dir $(BUILD_DIR) --output-on-failure -j $$(nproc) -LE desktop

# Full screen on GNOME's and KDE's compositors, headless, the game through
# Xwayland as those desktops run it (the tests labelled desktop).
test-desktops:
	@scripts/install-deps.sh test-desktops
	$(CONFIGURE) -DBUILD_TESTING=ON
	cmake --build $(BUILD_DIR)
	ctest --test-dir $(BUILD_DIR) --output-on-failure -L desktop

# Installs the game built by make build under PREFIX (as root for the default
# /usr/local: make build, then sudo make install). It does not build, so that a
# build folder never gets files owned by root. The list of installed files is
# kept for make uninstall.
PREFIX ?= /usr/local
install:
	@test -f $(BUILD_DIR)/build.ninja || { echo "Run make build first, then make install." >&2; exit 1; }
	cmake --install $(BUILD_DIR) --prefix $(PREFIX) --strip
	mv -f $(BUILD_DIR)/install_manifest.txt $(BUILD_DIR)/installed-files.txt

# Removes what make install placed. Each player's own folder under
# ~/.local/share/kelmot stays.
uninstall:
	scripts/uninstall.sh $(BUILD_DIR)/installed-files.txt

# The Debian package, in $(BUILD_DIR): install it with
# sudo apt install ./$(BUILD_DIR)/kelmot_*.deb
# CPack gives the package's own parts the modes the umask leaves; with 022
# every builder gets the same bytes.
package: build
	@scripts/install-deps.sh package
	cd $(BUILD_DIR) && umask 022 && cpack

# The archive for any x86-64 Linux distribution, the Steam Deck included:
# $(PORTABLE_DIR)/kelmot-VERSION-linux-x86_64.tar.gz, built on Debian 12 with
# SDL2, GLU and the C++ runtime inside, asking for no glibc newer than 2.34.
PORTABLE_DIR ?= build-portable
linux-portable:
	@scripts/install-deps.sh linux-portable
	cmake -S . -B $(PORTABLE_DIR) -G Ninja -DKELMOT_PORTABLE=ON \
	    -DBUILD_TESTING=OFF $(CMAKE_FLAGS)
	cmake --build $(PORTABLE_DIR) --target kelmot_portable

# The glibc versions the archive's programs ask for, then the archive unpacked
# and played in fresh minimal Debian 12 and 13 systems that have only what every
# desktop has (debootstrap; needs root and the Debian mirror), then with GTK 3
# added for the start-up dialog, with the board reader of this machine. The
# downloaded packages are kept in $(PORTABLE_DIR)/debootstrap-cache.
test-portable: linux-portable
	@scripts/install-deps.sh test-portable
	g++ -std=c++20 -O2 -Wall -Wextra tests/e2e/board_reader.cpp -o $(PORTABLE_DIR)/board_reader \
	    -lGLU -lGL
	tests/install/portable_test.sh $(PORTABLE_DIR)/kelmot-*-linux-x86_64.tar.gz \
	    $(PORTABLE_DIR)/board_reader

# The Windows program, cross-built with mingw-w64: $(WINDOWS_DIR)/kelmot.exe and
# the portable archive $(WINDOWS_DIR)/kelmot-VERSION-win64.zip.
WINDOWS_DIR ?= build-windows
WINDOWS_CMAKE = cmake -S . -B $(WINDOWS_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	-DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake $(CMAKE_FLAGS)
windows:
	@scripts/install-deps.sh windows
	$(WINDOWS_CMAKE) -DBUILD_TESTING=OFF
	cmake --build $(WINDOWS_DIR)

# Its installer, $(WINDOWS_DIR)/kelmot-VERSION-setup.exe: for the current user,
# without administrator rights, in the Start menu and the list of installed apps.
windows-installer:
	@scripts/install-deps.sh windows-installer
	$(WINDOWS_CMAKE) -DBUILD_TESTING=OFF
	cmake --build $(WINDOWS_DIR) --target kelmot_installer

# Its tests, under Wine: the shared suites, and the program itself driven on
# displays of their own (Wine prefixes in $(WINDOWS_DIR)/wine).
test-windows:
	@scripts/install-deps.sh test-windows
	$(WINDOWS_CMAKE) -DBUILD_TESTING=ON
	cmake --build $(WINDOWS_DIR)
	ctest --test-dir $(WINDOWS_DIR) --output-on-failure -j $$(nproc)

# The browser's game, built with Debian's emscripten in $(WEB_DIR). emcc runs
# under the system's own python3, and its JavaScript optimiser finds its node
# modules in Debian's folder; node runs the generated loaders without its fetch.
WEB_DIR ?= build-web
WEB_ENV = EMSDK_PYTHON=/usr/bin/python3 NODE_PATH=/usr/share/nodejs
WEB_CMAKE = $(WEB_ENV) cmake -S . -B $(WEB_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	-DCMAKE_TOOLCHAIN_FILE=/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake \
	"-DCMAKE_CROSSCOMPILING_EMULATOR=/usr/bin/node;--no-experimental-fetch" $(CMAKE_FLAGS)

# The page in $(WEB_DIR): index.html, kelmot.js, kelmot.wasm and the pictures,
# and kelmot-VERSION-web.zip of the same.
web:
	@scripts/install-deps.sh web
	$(WEB_CMAKE) -DBUILD_TESTING=OFF
	$(WEB_ENV) cmake --build $(WEB_DIR)

# Serves the page on the loopback address until Ctrl+C.
WEB_PORT ?= 8024
run-web: web
	@echo "Kelmot is served at http://127.0.0.1:$(WEB_PORT)/ (Ctrl+C ends it)"
	python3 -m http.server $(WEB_PORT) --bind 127.0.0.1 --directory $(WEB_DIR)

# Its tests: the shared suites under node, and the page itself in headless
# chromium (tests/web/); its main menu is compared with the Linux game's, which
# is built first in $(BUILD_DIR).
test-web:
	@scripts/install-deps.sh test-web
	$(GAME_CONFIGURE)
	cmake --build $(BUILD_DIR) --target kelmot_runtime
	$(WEB_CMAKE) -DBUILD_TESTING=ON -DKELMOT_LINUX_GAME=$(CURDIR)/$(BUILD_DIR)/run/kelmot
	$(WEB_ENV) cmake --build $(WEB_DIR)
	$(WEB_ENV) ctest --test-dir $(WEB_DIR) --output-on-failure -j $$(nproc)

# The release of the last commit in $(RELEASE_DIR): the source archive, the
# Debian package, the archive for any Linux distribution, the Windows program,
# its archive and its installer, and
# SHA256SUMS. All of it is built twice from the source archive, in two
# folders, and released only when the two builds agree byte for byte.
RELEASE_DIR ?= $(BUILD_DIR)/release
release:
	@scripts/install-deps.sh release
	scripts/release.sh $(RELEASE_DIR)

# The suites again with AddressSanitizer and UndefinedBehaviorSanitizer, and
# the end-to-end tests that reach shared code the suites cannot (the program's
# start-up and ends, broken input, the game played by keys); those labelled
# system add only system code, packaging or shared code the suites reach, and
# are left out here.
# Mesa and the X libraries keep a few allocations for the life of the process;
# tests/lsan.supp names them so that only our own leaks count. The preloaded
# library keeps Mesa's driver and EGL library loaded until the leak check, so
# their blocks can be named or stay reachable.
SANITIZE_DIR ?= build-sanitize
test-sanitize:
	@scripts/install-deps.sh test-sanitize
	cmake -S . -B $(SANITIZE_DIR) -G Ninja -DKELMOT_SANITIZE=ON $(CMAKE_FLAGS)
	cmake --build $(SANITIZE_DIR)
	LD_PRELOAD=$(CURDIR)/$(SANITIZE_DIR)/tests/libkelmot_keep_gl_driver.so \
	ASAN_OPTIONS=detect_leaks=1:verify_asan_link_order=0 LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	UBSAN_OPTIONS=print_stacktrace=1 \
	$(XVFB) ctest --test-dir $(SANITIZE_DIR) --output-on-failure -j $$(nproc) -LE 'desktop|system'

# Each fuzz target for FUZZ_SECONDS from its committed seed corpus; new inputs
# go to a scratch corpus under the build folder. Any finding fails the target
# and leaves its input in $(FUZZ_DIR) (given as a full path to the prefs.txt
# target, which works in a scratch folder of its own).
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60
fuzz:
	@scripts/install-deps.sh fuzz
	cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DKELMOT_FUZZ=ON \
	    -DBUILD_TESTING=OFF
	cmake --build $(FUZZ_DIR) --target dib_fuzz prefs_fuzz
	mkdir -p $(FUZZ_DIR)/corpus/dib $(FUZZ_DIR)/corpus/prefs
	cd $(FUZZ_DIR) && ./fuzz/dib_fuzz -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	    corpus/dib $(CURDIR)/fuzz/corpus/dib
	cd $(FUZZ_DIR) && ./fuzz/prefs_fuzz -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	    -artifact_prefix=$(abspath $(FUZZ_DIR))/ corpus/prefs $(CURDIR)/fuzz/corpus/prefs

# Speed figures, each beside its baseline (docs/benchmarks.md): the BMP reader
# beside other libraries; the frame times and per-frame heap allocations of a
# real window beside an empty frame and straight-line drawing; then the real
# program's start-up, peak memory and minimised processor time beside a bare SDL
# window (on a display with a window manager, which minimising needs); then the
# browser's page in headless chromium beside a bare WebGL page, and Lighthouse's
# figures for it on a phone (Lighthouse from npm, in $(BUILD_DIR)/lighthouse).
LIGHTHOUSE_VERSION = 12.8.2
LIGHTHOUSE_DIR = $(BUILD_DIR)/lighthouse
BENCH_PROGRAMS = dib_bench frame_bench session_bench bare_window picture_window frame_probe
bench: build web
	@scripts/install-deps.sh bench
	npm ls --prefix $(LIGHTHOUSE_DIR) lighthouse@$(LIGHTHOUSE_VERSION) >/dev/null 2>&1 || \
	    npm install --prefix $(LIGHTHOUSE_DIR) --no-audit --no-fund lighthouse@$(LIGHTHOUSE_VERSION)
	$(CONFIGURE) -DKELMOT_BENCH=ON
	cmake --build $(BUILD_DIR) --target $(BENCH_PROGRAMS)
	$(BUILD_DIR)/bench/dib_bench
	$(XVFB) $(BUILD_DIR)/bench/frame_bench
	tests/display/with_xvfb.sh $(BUILD_DIR)/bench/session_bench $(BUILD_DIR)/run/kelmot \
	    $(BUILD_DIR)/bench/bare_window $(BUILD_DIR)/bench/picture_window \
	    $(BUILD_DIR)/bench/libframe_probe.so Data
	/usr/bin/python3 bench/web_bench.py $(WEB_DIR) $(LIGHTHOUSE_DIR)/node_modules/.bin/lighthouse

# Each benchmark once, quickly (--smoke: small pictures, a few frames, one
# start-up each), so that they keep building and running; fails on an error,
# never on a figure. Only the game, the benchmarks and the browser's page are
# built. Lighthouse is left out: it is fetched from npm and takes half a minute
# for figures alone.
bench-smoke: web
	@scripts/install-deps.sh bench-smoke
	$(GAME_CONFIGURE) -DKELMOT_BENCH=ON
	cmake --build $(BUILD_DIR) --target kelmot_runtime $(BENCH_PROGRAMS)
	$(BUILD_DIR)/bench/dib_bench --smoke
	$(XVFB) $(BUILD_DIR)/bench/frame_bench --smoke
	tests/display/with_xvfb.sh $(BUILD_DIR)/bench/session_bench --smoke $(BUILD_DIR)/run/kelmot \
	    $(BUILD_DIR)/bench/bare_window $(BUILD_DIR)/bench/picture_window \
	    $(BUILD_DIR)/bench/libframe_probe.so Data
	/usr/bin/python3 bench/web_bench.py --smoke $(WEB_DIR)

# Ten minutes (SOAK_SECONDS) of scripted play of a debug build that checks for
# OpenGL errors after every frame; fails on any error or on resident memory
# that grows after the first minute. Not part of the tests.
SOAK_DIR ?= build-soak
soak:
	@scripts/install-deps.sh soak
	cmake -S . -B $(SOAK_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKELMOT_GL_CHECKS=ON \
	    -DBUILD_TESTING=OFF $(CMAKE_FLAGS)
	cmake --build $(SOAK_DIR) --target kelmot_runtime
	SOAK_LOG=$(CURDIR)/$(SOAK_DIR)/soak-rss.txt scripts/soak.sh $(SOAK_DIR)/run/kelmot

clean:
	rm -rf $(BUILD_DIR) $(PORTABLE_DIR) $(SANITIZE_DIR) $(FUZZ_DIR) $(SOAK_DIR) $(WINDOWS_DIR) $(WEB_DIR)
