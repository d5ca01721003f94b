# Bravok's named steps. Every configuration (plain, ThreadSanitizer,
# AddressSanitizer + UBSan, fuzz, Windows) is a preset in CMakePresets.json;
# this file only says which steps run in which order.
#
#   make run          install what the game needs, build it and start it
#   make test         install everything, then every test: plain, sanitizers,
#                     fuzzers, the Debian package, the Windows build under Wine
#   make check        the plain build's tests only; installs nothing
#   make deps         install what make check needs
#   make windows      cross-build bravok.exe, its tests and its installer
#   make test-stress  the tests a busy machine upsets, beside busy loops
#   make fuzz-long    the fuzzers for many millions of runs
SHELL := bash
JOBS ?= $(shell nproc)
CTEST_ARGS ?= -j $(JOBS)
WINDOWS_BUILD ?= build-windows
# The Linux builds share a compiler cache where one is installed.
export CMAKE_C_COMPILER_LAUNCHER ?= $(shell command -v ccache)
export CMAKE_CXX_COMPILER_LAUNCHER ?= $(CMAKE_C_COMPILER_LAUNCHER)

.PHONY: all deps build run check test test-steps test-tsan test-asan test-fuzz fuzz-long \
	tsan-build asan-build fuzz-build test-deb test-stress stress-steps check-mingw windows \
	test-windows clean

all: build

deps:
	@scripts/install-deps.sh game test

build:
	@scripts/install-deps.sh --check game test
	cmake --preset default
	cmake --build --preset default -j $(JOBS)

# A display is what a desktop has; without one the game is shown on a virtual
# X server for a few seconds, which needs the headless tools.
run:
	@scripts/install-deps.sh game $(if $(DISPLAY),,headless)
	cmake --preset default
	cmake --build --preset game -j $(JOBS)
	@scripts/run.sh

check: build
	ctest --preset default $(CTEST_ARGS)

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

test:
	@scripts/install-deps.sh game test windows
	@status=0; $(MAKE) --no-print-directory test-steps || status=$$?; \
	$(LEFT_RUNNING); exit $$status

test-steps: check check-mingw test-tsan test-asan test-fuzz test-deb test-windows
	@scripts/test-share.sh

# The code with no window toolkit in it compiles for Windows as it is, with
# and without <windows.h> first (syntax only, with mingw-w64).
check-mingw:
	@scripts/check-mingw.sh

# The sanitizer and fuzz configurations, each configured and built by its preset.
tsan-build asan-build fuzz-build: %-build:
	cmake --preset $*
	cmake --build --preset $* -j $(JOBS)

test-tsan: tsan-build
	ctest --preset tsan $(CTEST_ARGS)

test-asan: asan-build
	ctest --preset asan $(CTEST_ARGS)

# The bitmap and vertex-file libFuzzer targets, each for FUZZ_SECONDS, or in
# fuzz-long for FUZZ_RUNS executions per entry point (scripts/run-fuzzers.sh).
FUZZ_SECONDS ?= 60
FUZZ_RUNS ?= 10000000

test-fuzz: fuzz-build
	@scripts/run-fuzzers.sh build-fuzz seconds $(FUZZ_SECONDS)

fuzz-long: fuzz-build
	@scripts/run-fuzzers.sh build-fuzz runs $(FUZZ_RUNS)

# The Debian package as a user gets it: built with cpack, installed with
# apt-get, started from its desktop entry on a virtual X server, then removed.
# Installs and removes the package on this machine, so it needs root or sudo.
test-deb: build
	scripts/with-xvfb.sh /usr/bin/python3 -m pytest -p no:cacheprovider -q --tb=short \
		--rootdir=tests tests/install/deb_package.py --build=build

# Windows: wxWidgets' Windows port is built once into the user's cache folder
# (scripts/build-wxmsw.sh, which prints its folder), then the same tree is
# cross-built; test-windows runs the tests as Windows programs under Wine.
windows:
	@scripts/install-deps.sh game windows
	wx=$$(scripts/build-wxmsw.sh) && BRAVOK_WXMSW=$$wx cmake --preset windows -B $(WINDOWS_BUILD)
	cmake --build $(WINDOWS_BUILD) -j $(JOBS)

test-windows: windows
	scripts/windows-tests.sh $(WINDOWS_BUILD) --output-on-failure --timeout 300 $(CTEST_ARGS)

# The tests a busy machine upsets most (windows, frame, application and the real
# game end to end, installed too), with a busy loop for every core beside
# them, plain and under ThreadSanitizer. Waits that take their evidence once,
# or tests that assume another thread has been scheduled, fail here.
STRESS_TESTS = ^(MainFrameTest|MainAppTest|AboutDlg|e2e|install)\.

test-stress: build tsan-build
	@status=0; scripts/busy-beside.sh $(MAKE) --no-print-directory stress-steps || status=$$?; \
	$(LEFT_RUNNING); exit $$status

stress-steps:
	ctest --preset default $(CTEST_ARGS) -R '$(STRESS_TESTS)'
	ctest --preset tsan $(CTEST_ARGS) -R '$(STRESS_TESTS)'

clean:
	rm -rf build build-tsan build-asan build-fuzz $(WINDOWS_BUILD)
