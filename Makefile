# The two commands of the README: `make run` and `make test`. Both install what is
# missing, configure once and build incrementally into build/.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo

.PHONY: all deps configure build run test bench clean

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

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure

bench: build
	bench/run-all $(BUILD_DIR)

clean:
	rm -rf $(BUILD_DIR)
