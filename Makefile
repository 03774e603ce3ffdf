# Typoscope: build, run and test on Debian with MinGW-w64 and Wine.
#   make run    build and start Typoscope (a screenshot under Xvfb when there is no display)
#   make test   build everything and run every test
#   make bench  build and run the benchmarks

BUILD ?= build

.PHONY: all deps build run test bench clean

all: build

# Installs whatever the build, the tests and the screenshots need and is missing.
deps:
	@scripts/install-deps.sh

build: deps
	@scripts/build.sh $(BUILD)

run: build
	@scripts/run.sh $(BUILD)

test: build
	@scripts/run-tests.sh $(BUILD)

bench: build
	@scripts/run-bench.sh $(BUILD)

clean:
	rm -rf $(BUILD)
