# Bravok's two everyday commands:
#   make run    build the game and start it
#   make test   build and run every test, then again under ThreadSanitizer and
#               under AddressSanitizer + UndefinedBehaviorSanitizer, and fuzz
#               the file loaders for a minute each
# Both install any Debian packages that are missing first.

JOBS ?= $(shell nproc)
CTEST_ARGS ?= --output-on-failure -j $(JOBS) --timeout 300

.PHONY: all deps build run check test test-tsan test-asan test-fuzz clean

all: build

deps:
	@scripts/install-deps.sh

build: deps
	cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build build -j $(JOBS)

run: build
	@scripts/run.sh

# The plain build's tests only: the quick loop while working.
check: build
	cd build && ctest $(CTEST_ARGS)

test-tsan: deps
	cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRAVOK_SANITIZE=thread
	cmake --build build-tsan -j $(JOBS)
	cd build-tsan && TSAN_OPTIONS="halt_on_error=1 exitcode=66 second_deadlock_stack=1 suppressions=$(CURDIR)/tests/tsan.supp" \
		ctest $(CTEST_ARGS)

test-asan: deps
	cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRAVOK_SANITIZE=address
	cmake --build build-asan -j $(JOBS)
	cd build-asan && ASAN_OPTIONS="detect_leaks=1 abort_on_error=0 halt_on_error=1" \
		UBSAN_OPTIONS="halt_on_error=1 print_stacktrace=1" \
		LSAN_OPTIONS="suppressions=$(CURDIR)/tests/lsan.supp" \
		ctest $(CTEST_ARGS)

# The file loaders' libFuzzer targets, built with clang, each run for a while on
# a scratch copy of its committed seed corpus; a crash, a leak or a sanitizer
# report fails the run.
FUZZ_SECONDS ?= 60

test-fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DBRAVOK_BUILD_FUZZ=ON -DBRAVOK_BUILD_APP=OFF -DBRAVOK_BUILD_BENCH=OFF \
		-DBUILD_TESTING=OFF -DBRAVOK_SANITIZE=
	cmake --build build-fuzz -j $(JOBS)
	mkdir -p build-fuzz/corpus/dib build-fuzz/corpus/vertex
	build-fuzz/fuzz/fuzz_dib_read -max_total_time=$(FUZZ_SECONDS) build-fuzz/corpus/dib fuzz/corpus/dib
	build-fuzz/fuzz/fuzz_vertex_file -max_total_time=$(FUZZ_SECONDS) build-fuzz/corpus/vertex fuzz/corpus/vertex

test: check test-tsan test-asan test-fuzz

clean:
	rm -rf build build-tsan build-asan build-fuzz
