# The one way to build Kelmot. Every target first installs whatever Debian
# packages are missing (scripts/install-deps.sh).

BUILD_DIR ?= build
# Extra options for the CMake configure step, e.g. CMAKE_FLAGS=-DKELMOT_WERROR=ON
CMAKE_FLAGS ?=
# The tests get a real X display with software OpenGL, so drawing can be checked.
XVFB := xvfb-run -a -s "-screen 0 1280x1024x24"

.PHONY: all deps build run test test-sanitize fuzz bench clean

all: build

deps:
	@scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja $(CMAKE_FLAGS)
	cmake --build $(BUILD_DIR)

# The game reads Data/ and prefs.txt from its working folder: build/run, where
# the build places the pictures beside it.
run: build
	cd $(BUILD_DIR)/run && ./kelmot

test: build
	$(XVFB) ctest --test-dir $(BUILD_DIR) --output-on-failure -j $$(nproc)

# The whole suite again with AddressSanitizer and UndefinedBehaviorSanitizer.
# Mesa and the X libraries keep a few allocations for the life of the process;
# tests/lsan.supp names them so that only our own leaks count. The preloaded
# library keeps Mesa's driver loaded until the leak check, so it can be named.
SANITIZE_DIR ?= build-sanitize
test-sanitize: deps
	cmake -S . -B $(SANITIZE_DIR) -G Ninja -DKELMOT_SANITIZE=ON $(CMAKE_FLAGS)
	cmake --build $(SANITIZE_DIR)
	LD_PRELOAD=$(CURDIR)/$(SANITIZE_DIR)/tests/libkelmot_keep_gl_driver.so \
	ASAN_OPTIONS=detect_leaks=1:verify_asan_link_order=0 LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	UBSAN_OPTIONS=print_stacktrace=1 \
	$(XVFB) ctest --test-dir $(SANITIZE_DIR) --output-on-failure -j $$(nproc)

# Each fuzz target for FUZZ_SECONDS from its committed seed corpus; new inputs
# go to a scratch corpus under the build folder. Any finding fails the target
# and leaves its input in $(FUZZ_DIR).
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60
fuzz: deps
	cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DKELMOT_FUZZ=ON \
	    -DBUILD_TESTING=OFF
	cmake --build $(FUZZ_DIR) --target dib_fuzz
	mkdir -p $(FUZZ_DIR)/corpus/dib
	cd $(FUZZ_DIR) && ./fuzz/dib_fuzz -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	    corpus/dib $(CURDIR)/fuzz/corpus/dib

# Speed figures: the BMP reader beside the same work done by other libraries,
# then the frame times and per-frame heap allocations of a real window.
bench: build
	cmake --build $(BUILD_DIR) --target dib_bench frame_bench
	$(BUILD_DIR)/bench/dib_bench
	$(XVFB) $(BUILD_DIR)/bench/frame_bench

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(FUZZ_DIR)
