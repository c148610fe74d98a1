# The commands a player or developer needs: `make run`, `make check` and `make test`.
# `run` and `test` install missing Debian packages first, then configure, build and
# generate assets; `check` is the quick loop on what is installed.

BUILD := build
ASAN := build-asan
JOBS ?= $(shell nproc)
PREFIX ?= /usr/local
CMAKE_FLAGS := -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: all build run check test test-asan bench soak fuzz install clean native-tools cross test-cross dist

# The architecture of `make cross`, `make test-cross` and `make dist`: armhf, arm64 (or
# amd64 for dist, this machine's own).
ARCH ?= armhf
CROSS := build-$(ARCH)
VERSION := $(shell awk '/^project/ { for (i = 1; i < NF; i++) if ($$i == "VERSION") print $$(i + 1) }' CMakeLists.txt)
TARBALL := dist/fretfall-$(VERSION)-linux-$(ARCH).tar.gz
# ctest arguments of test-cross; `make test` leaves out the suites that play whole songs
# and screens or recordings through the driver (a quarter of an hour under emulation); the
# comparison of whole runs covers them.
CROSS_TESTS ?=
CROSS_QUICK := -E '^(SongFlow|TutorialPresses|SongScript|ScreenFormat|InterruptedSave|SaveMenu|Gallery|KeyConfig|GameLook|SoundtrackSynth|Recording|ReferenceDraw)\.|^Charts/WholeSong\.'

all: build

build:
	@./pkg/install-deps.sh run
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD) -j$(JOBS)

run: build
	cd $(BUILD)/game && ./fretfall

# The quick loop: the native build and its tests, without the sanitizer and ARM builds and
# without the slow ones: the shell tests labelled "slow" (the real window, installation)
# and the suites below that kill, record or play whole songs, or draw every look twice.
CHECK_SKIP := -E '^(InterruptedSave|ReferenceDraw|Recording|Charts/WholeSong|AllSongs/SoundtrackChartTiming)\.'
check:
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD) -j$(JOBS)
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS) -LE slow $(CHECK_SKIP)

test:
	@./pkg/install-deps.sh test
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD) -j$(JOBS)
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)
	@$(MAKE) --no-print-directory test-asan
	@$(MAKE) --no-print-directory test-cross ARCH=armhf CROSS_TESTS="$(CROSS_QUICK)"

# The same suite under AddressSanitizer and UndefinedBehaviorSanitizer, reusing the
# asset tree of the normal build.
test-asan:
	@cmake -S . -B $(ASAN) -DCMAKE_BUILD_TYPE=Debug -DFRETFALL_SANITIZE=ON \
	    -DFRETFALL_ASSETS_FROM=$(CURDIR)/$(BUILD)/game >/dev/null
	@cmake --build $(ASAN) -j$(JOBS)
	cd $(ASAN) && ctest --output-on-failure -j$(JOBS)

# Performance figures of the headless game (bench/run.sh): one table, then one
# "NAME VALUE UNIT" line per figure. Runs callgrind, so it takes some minutes.
bench:
	@./pkg/install-deps.sh bench
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD) -j$(JOBS) >/dev/null
	@bash bench/run.sh $(BUILD)

# The long soak: 200,000 random key events through the sanitizer build's headless driver
# (tests/system/soak.sh; `make test` runs 20,000). Five minutes or more.
soak:
	@./pkg/install-deps.sh test
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD) -j$(JOBS) --target assets
	@cmake -S . -B $(ASAN) -DCMAKE_BUILD_TYPE=Debug -DFRETFALL_SANITIZE=ON \
	    -DFRETFALL_ASSETS_FROM=$(CURDIR)/$(BUILD)/game >/dev/null
	@cmake --build $(ASAN) -j$(JOBS) --target fretfall-replay fretfall-soak fretfall-soakgen
	bash tests/system/soak.sh $(ASAN) $(CURDIR) 200000

# The fuzz targets of the progress, settings, highscore, recording, song-folder and
# WAV/AIFF stem readers, five minutes each (fuzz/run.sh; `make test` runs thirty seconds each).
fuzz:
	@./pkg/install-deps.sh fuzz
	bash fuzz/run.sh build-fuzz 300

# Installs the game under PREFIX (default /usr/local); DESTDIR is honoured for packaging.
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# The native programs the cross targets use: the asset tree (generated once, reused by the
# ARM build), the driver and script generators that make the native side of the comparison.
native-tools:
	@./pkg/install-deps.sh test
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD) -j$(JOBS) --target assets fretfall fretfall-replay \
	    fretfall-hitscript fretfall-soakgen

# fretfall, fretfall-replay and the test binary for ARCH (armhf or arm64) in build-ARCH/,
# with Debian's cross compiler and the ARM library tree (pkg/cross/).
cross: native-tools
	@./pkg/install-deps.sh cross $(ARCH)
	@cmake -S . -B $(CROSS) $(CMAKE_FLAGS) -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/pkg/cross/$(ARCH).cmake \
	    -DFRETFALL_ASSETS_FROM=$(CURDIR)/$(BUILD)/game >/dev/null
	@cmake --build $(CROSS) -j$(JOBS)

# The cross build's tests under qemu-user, then the same game natively and on ARM
# (tests/system/cross/same_game.sh), the whole song played by the bundle in a chroot.
test-cross: cross
	@$(MAKE) --no-print-directory dist
	cd $(CROSS) && ctest --output-on-failure -j$(JOBS) $(CROSS_TESTS)
	bash tests/system/cross/same_game.sh $(BUILD) $(CROSS) $(ARCH) $(TARBALL)

# The bundle for a device: dist/fretfall-VERSION-linux-ARCH.tar.gz (pkg/dist/dist.sh).
dist:
ifeq ($(ARCH),amd64)
	@$(MAKE) --no-print-directory build
	@./pkg/install-deps.sh dist
	bash pkg/dist/dist.sh amd64 $(BUILD) $(TARBALL)
else
	@$(MAKE) --no-print-directory cross
	bash pkg/dist/dist.sh $(ARCH) $(CROSS) $(TARBALL)
endif

clean:
	rm -rf $(BUILD) $(ASAN) build-armhf build-arm64 dist
