# The one way to build Kelmot. Every target first installs whatever Debian
# packages are missing (scripts/install-deps.sh).

BUILD_DIR ?= build
# Extra options for the CMake configure step, e.g. CMAKE_FLAGS=-DKELMOT_WERROR=ON
CMAKE_FLAGS ?=
# The tests get a real X display with software OpenGL, so drawing can be checked.
XVFB := xvfb-run -a -s "-screen 0 1280x1024x24"

.PHONY: all deps build test clean

all: build

deps:
	@scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja $(CMAKE_FLAGS)
	cmake --build $(BUILD_DIR)

test: build
	$(XVFB) ctest --test-dir $(BUILD_DIR) --output-on-failure -j $$(nproc)

clean:
	rm -rf $(BUILD_DIR)
