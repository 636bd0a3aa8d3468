# The two commands of the README: `make run` and `make test`. Both install what is
# missing, configure once and build incrementally into build/. `make test` then builds
# and runs the suite again with AddressSanitizer and UndefinedBehaviorSanitizer in
# build-sanitize/, there with the plain C++ path in place of the SSE intrinsics, and
# checks that both paths write the same bytes.
BUILD_DIR ?= build
SANITIZE_DIR ?= build-sanitize
FUZZ_DIR ?= build-fuzz
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)

.PHONY: all deps configure build run test test-plain test-sanitize test-paths fuzz bench \
	screenshot package translations clean

all: build

deps:
	scripts/install-deps

# Line tables rather than full debug information (-g1): backtraces and sanitizer reports
# keep their lines, and the builds take about a quarter less time.
DEBUG_FLAGS = -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG"

$(BUILD_DIR)/build.ninja: | deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(DEBUG_FLAGS)

configure: deps $(BUILD_DIR)/build.ninja

build: configure
	cmake --build $(BUILD_DIR)

run: build
	$(BUILD_DIR)/ui/tovik-images

test: test-plain test-sanitize test-paths

# The tests run side by side; those that need an X server of their own take turns.
test-plain: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

# The sanitizer build leaves out the benchmarks: only what the tests run is built.
$(SANITIZE_DIR)/build.ninja: | deps
	cmake -S . -B $(SANITIZE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(DEBUG_FLAGS) \
		-DTOVIK_SANITIZE=ON -DTOVIK_PLAIN_CPP=ON -DTOVIK_BENCH=OFF

# Any report of either sanitizer ends the test that caused it with a failure; leaks are
# reports too.
SANITIZE_OPTIONS = ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

test-sanitize: deps $(SANITIZE_DIR)/build.ninja
	cmake --build $(SANITIZE_DIR)
	cd $(SANITIZE_DIR) && $(SANITIZE_OPTIONS) ctest --output-on-failure -j $(JOBS)

# The intrinsic path (build/) and the plain path (build-sanitize/) convert the samples
# to the same bytes.
test-paths: build test-sanitize
	$(SANITIZE_OPTIONS) scripts/compare-paths $(BUILD_DIR) $(SANITIZE_DIR)

# Every fuzzer for FUZZ_SECONDS (60 by default) each; fails on any finding.
fuzz: deps
	scripts/fuzz $(FUZZ_DIR)

bench: build
	bench/run-all $(BUILD_DIR)

# The Debian package in $(BUILD_DIR)/package/, from the two programs and the installed
# files only, checked by lintian (errors fail, warnings are shown).
package: configure
	cmake --build $(BUILD_DIR) --target tovik-images tovik-images-cli tovik_install_files
	cd $(BUILD_DIR) && cpack -B package
	lintian --fail-on error $(BUILD_DIR)/package/tovik-images_*.deb

# Refreshes the README's screenshot from the last run of the real-window test.
screenshot: build
	cd $(BUILD_DIR) && ctest -R realwindow_windows --output-on-failure
	cp $(BUILD_DIR)/tests/realwindow/windows/main-window.png docs/main-window.png

# Refreshes translations/*.ts from the messages in the sources, for a translator to fill.
translations: configure
	cmake --build $(BUILD_DIR) --target translations

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(FUZZ_DIR)
