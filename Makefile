# The commands of the README. Each one installs what is missing first, so they work on a
# fresh Debian 12 machine.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)
CMAKE_ARGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: all deps configure build test demo package clean

all: build

deps:
	./scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja $(CMAKE_ARGS)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

demo: build
	./scripts/demo.sh $(BUILD_DIR)

# telvomonitor_<version>_amd64.deb in the build folder (stripped programs, dependencies
# from dpkg-shlibdeps), then lintian's word on it.
package: build
	cd $(BUILD_DIR) && cpack -G DEB
	lintian --info $(BUILD_DIR)/telvomonitor_*_$(shell dpkg --print-architecture).deb

clean:
	rm -rf $(BUILD_DIR)
