# Bravok's two everyday commands:
#   make run    build the game and start it
#   make test   build and run every test, then again under ThreadSanitizer and
#               under AddressSanitizer + UndefinedBehaviorSanitizer
# Both install any Debian packages that are missing first.

JOBS ?= $(shell nproc)
CTEST_ARGS ?= --output-on-failure -j $(JOBS) --timeout 300

.PHONY: all deps build check test test-tsan test-asan clean

all: build

deps:
	@scripts/install-deps.sh

build: deps
	cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build build -j $(JOBS)

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

test: check test-tsan test-asan

clean:
	rm -rf build build-tsan build-asan
