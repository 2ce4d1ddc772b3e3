# Entry points. Each target installs what it misses from Debian's packages.
SHELL := /bin/bash
BUILD := build
JOBS ?= $(shell nproc)

.PHONY: all deps build build-x86_64 build-i686 build-host run test test-x86_64 test-i686 test-hardened bench dist clean

all: build

deps:
	@scripts/deps.sh

build-x86_64: deps
	@cmake --preset x86_64 >/dev/null
	@cmake --build --preset x86_64 -j $(JOBS)

# The release exe, and the Windows tests built beside it to run on exactly it;
# the 64-bit build's exe is given for the check that both look the same.
I686_CONFIGURE = cmake --preset i686 -DMIRVASHEL_TESTS=ON \
	  -DMIRVASHEL_COMPARE_EXE=$(CURDIR)/$(BUILD)/x86_64/app/Mirvashel.exe
build-i686: deps
	@$(I686_CONFIGURE) -DMIRVASHEL_BENCH=OFF >/dev/null
	@cmake --build --preset i686 -j $(JOBS)

build-host: deps
	@cmake -S tools -B $(BUILD)/host -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(BUILD)/host -j $(JOBS)

build: build-x86_64 build-i686 build-host

# The program under Wine beside sample fonts (64-bit: this machine runs no
# 32-bit code). Headless, it saves screenshots into build/screenshots.
run: build-x86_64
	@scripts/run-app.sh $(BUILD)/x86_64/app/Mirvashel.exe

# Every test: host-native ones, then the Windows ones, each build on a
# private virtual display and Wine server of its own, both at once (they
# share nothing, and the emulated route keeps a core busy): the 64-bit build
# under the host's Wine 8, the 32-bit release build under Wine 10 from its
# own root, on the route this machine allows (scripts/i686-route.sh). Each
# build's results are printed whole when it ends.
test: build
	@scripts/check-release.sh $(BUILD)/i686/app/Mirvashel.exe
	@ctest --test-dir $(BUILD)/host --output-on-failure
	@scripts/i686-route.sh --recorded
	@$(MAKE) --no-print-directory -j2 --output-sync=target test-x86_64 test-i686

test-x86_64:
	@echo "##### x86_64 build, host's Wine 8"
	@scripts/with-display.sh ctest --test-dir $(BUILD)/x86_64 --output-on-failure

# Where even emulation is impossible there is no Wine 10 to start: the tree
# runs bare, and each test that would run the exe reports itself skipped.
test-i686:
	@echo "##### i686 release build, Wine 10"
	@source scripts/wow64-env.sh; if [ "$$MIRVASHEL_I686_ROUTE" = none ]; then \
	  ctest --test-dir $(BUILD)/i686 --output-on-failure; \
	else \
	  scripts/with-wow64.sh scripts/with-display.sh ctest --test-dir $(BUILD)/i686 --output-on-failure; \
	fi

# The zip for Windows users, after checking the release executable; signed
# when SIGN_PFX and SIGN_PASS_FILE (and optionally SIGN_TIMESTAMP_URL) are
# given, on make's command line or in the environment.
dist: build-i686
	@scripts/make-dist.sh $(BUILD)/i686/app/Mirvashel.exe $(BUILD)/dist

# The Windows tests once more with undefined-behaviour checks compiled in
# (trapping: MinGW has no sanitizer runtime) and Wine's heap checking on.
test-hardened: deps
	@cmake -S . -B $(BUILD)/x86_64-ubsan -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake \
	  -DCMAKE_BUILD_TYPE=Release -DMIRVASHEL_BENCH=OFF \
	  "-DCMAKE_CXX_FLAGS=-fsanitize=undefined -fsanitize-undefined-trap-on-error -fno-sanitize=vptr" >/dev/null
	@cmake --build $(BUILD)/x86_64-ubsan -j $(JOBS)
	@WINEDEBUG=warn+heap scripts/with-display.sh ctest --test-dir $(BUILD)/x86_64-ubsan --output-on-failure

# Both builds, each where its tests run: the 64-bit one under the host's
# Wine 8, then the release (i686) one under Wine 10 (WoW64). The release
# tree gets its benchmark drivers only here, so `make test` builds none.
bench: build-x86_64 build-i686
	@cmake --build --preset x86_64 --target bench_fonts
	@echo "##### x86_64 build, host's Wine 8"
	@scripts/with-display.sh scripts/run-bench.sh $(BUILD)/x86_64
	@$(I686_CONFIGURE) -DMIRVASHEL_BENCH=ON >/dev/null
	@cmake --build --preset i686 -j $(JOBS) --target bench_startup bench_commands bench_fonts
	@echo "##### i686 release build, Wine 10"
	@scripts/i686-route.sh --recorded
	@source scripts/wow64-env.sh; [ "$$MIRVASHEL_I686_ROUTE" = none ] || \
	  scripts/with-wow64.sh scripts/with-display.sh scripts/run-bench.sh $(BUILD)/i686

clean:
	rm -rf $(BUILD)
