# The two commands a player or developer needs: `make run` and `make test`.
# Both install missing Debian packages first, then configure, build and generate assets.

BUILD := build
ASAN := build-asan
JOBS ?= $(shell nproc)
PREFIX ?= /usr/local
CMAKE_FLAGS := -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: all build run test test-asan bench soak fuzz install clean

all: build

build:
	@./tools/install-deps.sh run
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD) -j$(JOBS)

run: build
	cd $(BUILD)/game && ./fretfall

test:
	@./tools/install-deps.sh test
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD) -j$(JOBS)
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)
	@$(MAKE) --no-print-directory test-asan

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
	@./tools/install-deps.sh bench
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD) -j$(JOBS) >/dev/null
	@bash bench/run.sh $(BUILD)

# The long soak: 200,000 random key events through the sanitizer build's headless driver
# (tests/soak.sh; `make test` runs 20,000). Five minutes or more.
soak:
	@./tools/install-deps.sh test
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD) -j$(JOBS) --target assets
	@cmake -S . -B $(ASAN) -DCMAKE_BUILD_TYPE=Debug -DFRETFALL_SANITIZE=ON \
	    -DFRETFALL_ASSETS_FROM=$(CURDIR)/$(BUILD)/game >/dev/null
	@cmake --build $(ASAN) -j$(JOBS) --target fretfall-replay fretfall-soak fretfall-soakgen
	bash tests/soak.sh $(ASAN) $(CURDIR) 200000

# The fuzz targets of the progress, highscore and recording readers, five minutes each (fuzz/run.sh;
# `make test` runs thirty seconds each).
fuzz:
	@./tools/install-deps.sh fuzz
	bash fuzz/run.sh build-fuzz 300

# Installs the game under PREFIX (default /usr/local); DESTDIR is honoured for packaging.
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

clean:
	rm -rf $(BUILD) $(ASAN)
