# The two commands of the README: `make run` and `make test`. Both install what is
# missing, configure once and build incrementally into build/. `make test` then builds
# and runs the whole suite again with AddressSanitizer and UndefinedBehaviorSanitizer in
# build-sanitize/.
BUILD_DIR ?= build
SANITIZE_DIR ?= build-sanitize
FUZZ_DIR ?= build-fuzz
BUILD_TYPE ?= RelWithDebInfo

.PHONY: all deps configure build run test test-plain test-sanitize fuzz bench translations clean

all: build

deps:
	scripts/install-deps

$(BUILD_DIR)/build.ninja: | deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)

configure: deps $(BUILD_DIR)/build.ninja

build: configure
	cmake --build $(BUILD_DIR)

run: build
	$(BUILD_DIR)/ui/tovik-images

test: test-plain test-sanitize

test-plain: build
	cd $(BUILD_DIR) && ctest --output-on-failure

$(SANITIZE_DIR)/build.ninja: | deps
	cmake -S . -B $(SANITIZE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DTOVIK_SANITIZE=ON

# Any report of either sanitizer ends the test that caused it with a failure; leaks are
# reports too.
SANITIZE_OPTIONS = ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

test-sanitize: deps $(SANITIZE_DIR)/build.ninja
	cmake --build $(SANITIZE_DIR)
	cd $(SANITIZE_DIR) && $(SANITIZE_OPTIONS) ctest --output-on-failure

# Every fuzzer for FUZZ_SECONDS (60 by default) each; fails on any finding.
fuzz: deps
	scripts/fuzz $(FUZZ_DIR)

bench: build
	bench/run-all $(BUILD_DIR)

# Refreshes translations/*.ts from the messages in the sources, for a translator to fill.
translations: configure
	cmake --build $(BUILD_DIR) --target translations

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(FUZZ_DIR)
