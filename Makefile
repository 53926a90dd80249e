# Two entry points for a fresh Debian 12 machine:
#   make run    install what is missing, build, start the game
#   make test   install what is missing, build with sanitizers, run every test
# and, for developers: make build, make bench, make fuzz.

JOBS ?= $(shell nproc)
BUILD := build

.PHONY: run test setup build build-test check bench fuzz clean

setup:
	@tools/setup.sh

build: setup
	cmake -S . -B $(BUILD)/game -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMAR_TESTS=OFF
	cmake --build $(BUILD)/game -j $(JOBS)

run: build
	tools/run-game --dir $(BUILD)/run $(BUILD)/game/velmar

build-test: setup
	cmake -S . -B $(BUILD)/test -DCMAKE_BUILD_TYPE=Debug -DVELMAR_SANITIZE=ON -DVELMAR_TESTS=ON
	cmake --build $(BUILD)/test -j $(JOBS)

# The whole suite: sanitized unit and end-to-end tests under one Xvfb,
# then short fuzzing runs and a smoke run of the benchmarks.
test: build-test
	tools/run-tests $(BUILD)/test $(JOBS)
	$(MAKE) --no-print-directory fuzz FUZZ_SECONDS=$${FUZZ_SECONDS:-20}
	$(MAKE) --no-print-directory bench BENCH_ARGS="--benchmark_min_time=0.05"

# The release build also compiles the tests (not run here): code that builds
# only without optimisation fails this build.
bench: setup
	cmake -S . -B $(BUILD)/bench -DCMAKE_BUILD_TYPE=Release -DVELMAR_TESTS=ON -DVELMAR_BENCH=ON
	cmake --build $(BUILD)/bench -j $(JOBS)
	tools/run-bench $(BUILD)/bench $(BENCH_ARGS)

FUZZ_SECONDS ?= 60
fuzz: setup
	cmake -S . -B $(BUILD)/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DVELMAR_FUZZ=ON -DVELMAR_TESTS=OFF
	cmake --build $(BUILD)/fuzz -j $(JOBS)
	tools/run-fuzz $(BUILD)/fuzz $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD)
