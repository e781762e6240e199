# make run  - install what is missing, build, start Quorvel
# make test - install what is missing, build, run every test, then again under ASan+UBSan,
#             then replay the fuzz seeds and fuzz each target briefly
# make fuzz  - run each fuzz target for FUZZ_SECONDS
# make install PREFIX=/usr/local - install the program folder, commands, desktop entry, icons, man page
# make uninstall - remove what the last install put in place
# make package - build the Debian package build/package/quorvel_<version>_amd64.deb
BUILD_DIR      ?= build
ASAN_BUILD_DIR ?= build-asan
FUZZ_BUILD_DIR ?= build-fuzz
FUZZ_SECONDS   ?= 60
# make test runs each fuzz target this long after replaying its seeds.
FUZZ_CHECK_SECONDS ?= 5
FUZZ_TARGETS   := FuzzBitmap FuzzTrackFile FuzzFixedAreaFile FuzzSettingsIni FuzzPeVersion \
                  FuzzElfVersion FuzzLauncherArgs FuzzProfileTemplate FuzzReshape FuzzRenderArgs
JOBS           ?= $(shell nproc)
CMAKE_GEN      := -G Ninja
PREFIX         ?= /usr/local
# A plain build only warns; the tests build with warnings as errors.
CONFIGURE_FLAGS ?=
TEST_FLAGS     := -DQUORVEL_WERROR=ON

.PHONY: all deps configure build run test test-main test-asan test-fuzz fuzz fuzz-build bench clean \
	install uninstall package

all: build

deps:
	bash scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD_DIR) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CONFIGURE_FLAGS)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	$(BUILD_DIR)/bin/Quorvel

test: test-main test-asan test-fuzz

test-main: CONFIGURE_FLAGS = $(TEST_FLAGS)
test-main: build
	cd $(BUILD_DIR) && SDL_AUDIODRIVER=dummy QT_QPA_PLATFORM=offscreen \
		ctest --output-on-failure -j $(JOBS)

test-asan: deps
	cmake -S . -B $(ASAN_BUILD_DIR) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug \
		-DQUORVEL_SANITIZE=ON -DQUORVEL_BUILD_BENCH=OFF $(TEST_FLAGS)
	cmake --build $(ASAN_BUILD_DIR) -j $(JOBS)
	cd $(ASAN_BUILD_DIR) && SDL_AUDIODRIVER=dummy QT_QPA_PLATFORM=offscreen \
		ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
		ctest --output-on-failure -j $(JOBS) -L 'core|gui'

# The fuzz targets: libFuzzer with clang, everything under ASan+UBSan; seeds made by a script.
fuzz-build: deps
	CC=clang-14 CXX=clang++-14 cmake -S . -B $(FUZZ_BUILD_DIR) $(CMAKE_GEN) \
		-DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVEL_FUZZ=ON
	cmake --build $(FUZZ_BUILD_DIR) -j $(JOBS)
	bash fuzz/make-seeds.sh $(FUZZ_BUILD_DIR) $(FUZZ_BUILD_DIR)/seeds

# Replays every seed, then fuzzes each target briefly from its seeds.
test-fuzz: fuzz-build
	set -e; for t in $(FUZZ_TARGETS); do \
		$(FUZZ_BUILD_DIR)/fuzz/$$t -runs=0 $(FUZZ_BUILD_DIR)/seeds/$$t; \
		mkdir -p $(FUZZ_BUILD_DIR)/check/$$t; \
		$(FUZZ_BUILD_DIR)/fuzz/$$t -max_total_time=$(FUZZ_CHECK_SECONDS) -print_final_stats=1 \
			$(FUZZ_BUILD_DIR)/check/$$t $(FUZZ_BUILD_DIR)/seeds/$$t; \
	done

# Fuzzes each target for FUZZ_SECONDS; what it learns stays in FUZZ_BUILD_DIR/corpus.
fuzz: fuzz-build
	set -e; for t in $(FUZZ_TARGETS); do \
		mkdir -p $(FUZZ_BUILD_DIR)/corpus/$$t; \
		$(FUZZ_BUILD_DIR)/fuzz/$$t -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
			$(FUZZ_BUILD_DIR)/corpus/$$t $(FUZZ_BUILD_DIR)/seeds/$$t; \
	done

bench: build
	$(BUILD_DIR)/bin/quorvel-bench

install: build
	cmake --install $(BUILD_DIR) --prefix $(PREFIX)

package: build
	cd $(BUILD_DIR) && cpack -G DEB
	@ls $(BUILD_DIR)/package/quorvel_*_amd64.deb

uninstall:
	cmake -DMANIFEST=$(BUILD_DIR)/install_manifest.txt -P cmake/QuorvelUninstall.cmake

clean:
	rm -rf $(BUILD_DIR) $(ASAN_BUILD_DIR) $(FUZZ_BUILD_DIR)
