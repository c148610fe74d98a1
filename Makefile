# The commands a player or developer needs: `make run`, `make check` and `make test`.
# `run` and `test` install missing Debian packages first, then configure, build and
# generate assets; `check` is the quick loop on what is installed.

BUILD := build
ASAN := build-asan
JOBS ?= $(shell nproc)
PREFIX ?= /usr/local
CMAKE_FLAGS := -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: all build run check test test-asan bench soak fuzz install clean native-tools test-cross dist \
	port port-build

# The architecture of `make test-cross`: aarch64 or armhf.
ARCH ?= aarch64
VERSION := $(shell awk '/^project/ { for (i = 1; i < NF; i++) if ($$i == "VERSION") print $$(i + 1) }' CMakeLists.txt)
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
	@$(MAKE) --no-print-directory test-cross ARCH=aarch64 CROSS_TESTS="$(CROSS_QUICK)"

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

# The native programs the port's tests use: the asset tree (generated once, reused by the
# ARM builds), the driver and script generators that make the native side of the
# comparison, and the screenshot checker.
native-tools:
	@./pkg/install-deps.sh test
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD) -j$(JOBS) --target assets fretfall fretfall-replay \
	    fretfall-hitscript fretfall-soakgen fretfall-shotcheck

# The self-contained desktop bundle, dist/fretfall-VERSION-linux-amd64.tar.gz
# (pkg/dist/dist.sh); handhelds get the port.
dist: build
	@./pkg/install-deps.sh dist
	bash pkg/dist/dist.sh amd64 $(BUILD) dist/fretfall-$(VERSION)-linux-amd64.tar.gz

# The handheld port (pkg/port/): both ARM architectures built in the Debian 11 root of
# pkg/port/root.sh, so they need nothing newer than glibc 2.30, then dist/port/fretfall/
# and dist/fretfall.zip (pkg/port/port.sh).
PORT_ROOT := $(or $(FRETFALL_SYSROOTS),/opt/fretfall-cross)/debian11
INROOT := pkg/port/inroot.sh $(PORT_ROOT) $(CURDIR)
deb_arch = $(if $(filter aarch64,$(1)),arm64,$(1))
# The port build of PORT_ARCH (aarch64 or armhf) in build-port-PORT_ARCH/; PORT_TARGETS
# adds targets (the test binary) to the two programs.
PORT_ARCH ?= aarch64
PORT_TARGETS ?=
port-build: native-tools
	@./pkg/install-deps.sh port
	@$(INROOT) cmake -S . -B build-port-$(PORT_ARCH) $(CMAKE_FLAGS) \
	    -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/pkg/cross/$(call deb_arch,$(PORT_ARCH)).cmake \
	    -DFRETFALL_SYSROOT=/opt/$(call deb_arch,$(PORT_ARCH)) -DFRETFALL_STATIC_CXX=ON \
	    -DFRETFALL_ASSETS_FROM=$(CURDIR)/$(BUILD)/game >/dev/null
	@$(INROOT) cmake --build build-port-$(PORT_ARCH) -j$(JOBS) --target fretfall fretfall-replay $(PORT_TARGETS)

port:
	@$(MAKE) --no-print-directory port-build PORT_ARCH=armhf
	@$(MAKE) --no-print-directory port-build PORT_ARCH=aarch64
	bash pkg/port/port.sh $(BUILD) $(PORT_ROOT) build-port-aarch64 build-port-armhf dist

# The port checked against the collection's rules and glibc 2.30, then proven on ARCH: its
# test binary under qemu in the build root, the same game as the native build's from the
# zip in a stand-in firmware of Debian 11's glibc and SDL2 alone (tests/system/cross/), and on
# aarch64 the launcher there, full screen under Xvfb.
test-cross:
	@$(MAKE) --no-print-directory port-build PORT_ARCH=$(ARCH) PORT_TARGETS="fretfall_tests fretfall-soakgen"
	@$(MAKE) --no-print-directory port
	bash pkg/port/check.sh dist/port/fretfall dist/fretfall.zip
	pkg/port/inroot.sh $(PORT_ROOT) $(CURDIR)/build-port-$(ARCH) ctest --output-on-failure -j$(JOBS) $(CROSS_TESTS)
	bash tests/system/cross/same_game.sh $(BUILD) build-port-$(ARCH) $(ARCH) $(PORT_ROOT) dist/fretfall.zip
ifeq ($(ARCH),aarch64)
	bash tests/system/cross/port_launcher.sh $(PORT_ROOT) dist/fretfall.zip $(BUILD)
endif

clean:
	rm -rf $(BUILD) $(ASAN) build-port-aarch64 build-port-armhf dist
