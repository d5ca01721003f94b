# Bravok's two everyday commands:
#   make run    build the game and start it
#   make test   build and run every test, then again under ThreadSanitizer and
#               under AddressSanitizer + UndefinedBehaviorSanitizer, and fuzz
#               the file loaders for a minute each; then build the Debian
#               package, install it, start it and remove it again; then
#               cross-build the Windows program and run its tests under Wine
# Both install any Debian packages that are missing first.

JOBS ?= $(shell nproc)
CTEST ?= ctest
CTEST_ARGS ?= --output-on-failure -j $(JOBS) --timeout 300

.PHONY: all deps build run check test test-steps tsan-build test-tsan asan-build test-asan \
	fuzz-build test-fuzz fuzz-long test-deb test-stress stress-steps check-mingw windows-deps \
	windows test-windows clean

all: build

# The packages are checked again only when their list changed or the package
# database did (something was installed or removed since), not on every call.
DEPS_STAMP := build/.deps-installed
deps: $(DEPS_STAMP)
$(DEPS_STAMP): scripts/install-deps.sh $(wildcard /var/lib/dpkg/status)
	@scripts/install-deps.sh
	@mkdir -p $(@D) && touch $@

build: deps
	cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build build -j $(JOBS)

# The game alone and what it needs to start; the tests, benchmarks and tools
# are built by the first `make build` or `make test`.
run: deps
	cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build build -j $(JOBS) --target bravok
	@scripts/run.sh

# The plain build's tests only: the quick loop while working.
check: build
	cd build && ctest $(CTEST_ARGS)

# GTK, GLib and fontconfig are not built for ThreadSanitizer and synchronise in
# ways it cannot see; ignore_noninstrumented_modules keeps their insides out of
# the reports while every access made by our own code is still checked. Paths in
# the options are quoted for the sanitizers, whose options split at spaces, and
# the options themselves for the shell, so a checkout path may hold a space or $.
TSAN_ENV = TSAN_OPTIONS='halt_on_error=1 exitcode=66 second_deadlock_stack=1 \
	ignore_noninstrumented_modules=1 suppressions="$(CURDIR)/tests/tsan.supp"'
ASAN_ENV = ASAN_OPTIONS="detect_leaks=1 abort_on_error=0 halt_on_error=1" \
	UBSAN_OPTIONS="halt_on_error=1 print_stacktrace=1" \
	LSAN_OPTIONS='suppressions="$(CURDIR)/tests/lsan.supp"'

tsan-build: deps
	cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRAVOK_SANITIZE=thread
	cmake --build build-tsan -j $(JOBS)

test-tsan: tsan-build
	cd build-tsan && $(TSAN_ENV) $(CTEST) $(CTEST_ARGS)

asan-build: deps
	cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRAVOK_SANITIZE=address
	cmake --build build-asan -j $(JOBS)

test-asan: asan-build
	cd build-asan && $(ASAN_ENV) $(CTEST) $(CTEST_ARGS)

# The bitmap and vertex-file libFuzzer targets, built with clang, each run on a
# scratch copy of its committed seed corpus; a crash, a leak, a sanitizer report
# or a wrong copy fails the run. test-fuzz runs each for FUZZ_SECONDS; fuzz-long
# for FUZZ_RUNS executions per entry point (the bitmap target's first byte picks
# one of three): on one free core about 15 minutes for the bitmap target and 35
# or more for the vertex file's, which is slower.
FUZZ_SECONDS ?= 60
FUZZ_RUNS ?= 10000000
FUZZ_TARGETS := dib:dib:3 vertex_file:vertex:1

fuzz-build: deps
	CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DBRAVOK_BUILD_FUZZ=ON -DBRAVOK_BUILD_APP=OFF -DBRAVOK_BUILD_BENCH=OFF \
		-DBUILD_TESTING=OFF -DBRAVOK_SANITIZE=
	cmake --build build-fuzz -j $(JOBS)

define run_fuzzers
	set -e; for pair in $(FUZZ_TARGETS); do \
		IFS=: read -r target corpus entries <<<"$$pair"; log=build-fuzz/fuzz_$$target.log; \
		mkdir -p build-fuzz/corpus/$$corpus; \
		start=$$SECONDS; \
		build-fuzz/fuzz/fuzz_$$target $(1) -max_len=65536 -print_final_stats=1 build-fuzz/corpus/$$corpus \
			fuzz/corpus/$$corpus >$$log 2>&1 || { tail -n 60 $$log; echo "fuzz_$$target FAILED"; exit 1; }; \
		echo "fuzz_$$target: $$(sed -n "s/^stat::number_of_executed_units: *//p" $$log) executions" \
			"in $$((SECONDS - start)) s, $$(sed -n "s/^stat::new_units_added: *//p" $$log) new inputs"; \
	done
endef

test-fuzz: fuzz-build
	@bash -c '$(call run_fuzzers,-max_total_time=$(FUZZ_SECONDS))'

fuzz-long: fuzz-build
	@bash -c '$(call run_fuzzers,-runs=$$((entries * $(FUZZ_RUNS))))'

# The Debian package as a user gets it: built with cpack in DEB_BUILD, installed
# with apt-get, started from its desktop entry's command line on a virtual X
# server, then removed, leaving nothing behind. Installs and removes the package
# on this machine while it runs, so it needs root or sudo.
DEB_BUILD ?= build

test-deb: deps
	cmake -S . -B $(DEB_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(DEB_BUILD) -j $(JOBS)
	scripts/with-xvfb.sh tests/install/deb_test.sh $(DEB_BUILD)

# The code with no window toolkit in it compiles for Windows as it is, with
# and without <windows.h> first (syntax only, with mingw-w64).
check-mingw: deps
	@scripts/check-mingw.sh

# Every process the suite starts carries this run's mark in its environment, so
# that at its end, passed or failed, it can tell whether it left one running
# (a game, an X server, a window manager, a bus) on a machine where others run
# the same programs. It fails if so, and ends them.
ifndef BRAVOK_TEST_RUN
BRAVOK_TEST_RUN := $(shell echo $$PPID-$$(date +%s%N))
endif
export BRAVOK_TEST_RUN
LEFT_RUNNING = left=$$(scripts/marked-processes.sh BRAVOK_TEST_RUN=$(BRAVOK_TEST_RUN)); \
	if [[ -n $$left ]]; then echo "$@: the tests left these running, now killed:"; echo "$$left"; \
		kill -KILL $$(cut -d' ' -f1 <<<"$$left") 2>/dev/null; exit 1; fi
SHELL := bash

test:
	@status=0; $(MAKE) --no-print-directory test-steps || status=$$?; \
	$(LEFT_RUNNING); exit $$status

test-steps: check check-mingw test-tsan test-asan test-fuzz test-deb test-windows
	@scripts/test-share.sh

# Windows: the same tree cross-built with MinGW-w64 into WINDOWS_BUILD against
# wxWidgets' Windows port, which is built once into the user's cache folder
# (scripts/build-wxmsw.sh): bravok.exe, the test programs and the installer.
# test-windows runs the tests as Windows programs under Wine, on a virtual X
# server, in a Wine prefix made for the run; make test runs it after the Linux
# stages.
WINDOWS_BUILD ?= build-windows

windows-deps: deps
	@scripts/install-deps.sh --windows

windows: windows-deps
	wx=$$(scripts/build-wxmsw.sh) && cmake -S . -B $(WINDOWS_BUILD) -G Ninja \
		-DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
		-DwxWidgets_CONFIG_EXECUTABLE="$$wx/bin/wx-config"
	cmake --build $(WINDOWS_BUILD) -j $(JOBS)

test-windows: windows
	scripts/windows-tests.sh $(WINDOWS_BUILD) $(CTEST_ARGS)

# The tests a busy machine upsets most (windows, frame, application and the real
# game end to end, installed too), with a busy loop for every core
# beside them, plain and under ThreadSanitizer. Waits that take their evidence
# once, or tests that assume another thread has been scheduled, fail here.
test-stress: build tsan-build
	@status=0; scripts/busy-beside.sh $(MAKE) --no-print-directory stress-steps || status=$$?; \
	$(LEFT_RUNNING); exit $$status

STRESS_TESTS = ^(MainFrameTest|MainAppTest|AboutDlg|e2e|install)\.
stress-steps:
	cd build && $(CTEST) $(CTEST_ARGS) -R '$(STRESS_TESTS)'
	cd build-tsan && $(TSAN_ENV) $(CTEST) $(CTEST_ARGS) -R '$(STRESS_TESTS)'

clean:
	rm -rf build build-tsan build-asan build-fuzz $(WINDOWS_BUILD)
