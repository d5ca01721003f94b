# Bravok's two everyday commands:
#   make run    build the game and start it
#   make test   build and run every test, then again under ThreadSanitizer and
#               under AddressSanitizer + UndefinedBehaviorSanitizer, and fuzz
#               the file loaders for a minute each; then build the Debian
#               package, install it, start it and remove it again
# Both install any Debian packages that are missing first.

JOBS ?= $(shell nproc)
CTEST_ARGS ?= --output-on-failure -j $(JOBS) --timeout 300

.PHONY: all deps build run check test test-tsan test-asan test-fuzz test-deb clean

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

# GTK, GLib and fontconfig are not built for ThreadSanitizer and synchronise in
# ways it cannot see; ignore_noninstrumented_modules keeps their insides out of
# the reports while every access made by our own code is still checked.
test-tsan: deps
	cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRAVOK_SANITIZE=thread
	cmake --build build-tsan -j $(JOBS)
	cd build-tsan && TSAN_OPTIONS="halt_on_error=1 exitcode=66 second_deadlock_stack=1 ignore_noninstrumented_modules=1 suppressions=$(CURDIR)/tests/tsan.supp" \
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

# The Debian package as a user gets it: built with cpack in DEB_BUILD, installed
# with apt-get, started from its desktop entry's command line on a virtual X
# server, then removed, leaving nothing behind. Installs and removes the package
# on this machine while it runs, so it needs root or sudo.
DEB_BUILD ?= build

test-deb: deps
	cmake -S . -B $(DEB_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(DEB_BUILD) -j $(JOBS)
	tests/install/deb_test.sh $(DEB_BUILD)

test: check test-tsan test-asan test-fuzz test-deb
	@scripts/test-share.sh

clean:
	rm -rf build build-tsan build-asan build-fuzz
