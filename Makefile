# Entry points: `make run` starts the application, `make test` builds and runs every test.
# Both install the Debian packages they need first.

BUILD      ?= build/release
ASAN_BUILD ?= build/asan
FUZZ_BUILD ?= build/fuzz
JOBS       ?= $(shell nproc)
CMAKE_FLAGS ?=

# The exported C code is also tested as 32-bit code where Debian offers the multilib compiler.
MULTILIB := $(shell [ "$$(dpkg --print-architecture 2>/dev/null)" = amd64 ] && echo gcc-multilib)

PACKAGES := cmake ninja-build g++ make libgtest-dev libgmock-dev libbenchmark-dev \
            qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev libx11-dev fonts-dejavu-core \
            locales xvfb clang libclang-rt-dev gcc $(MULTILIB) desktop-file-utils man-db shared-mime-info

# What make package needs besides: dpkg-shlibdeps and the file type probe CPack runs.
PACKAGE_TOOLS := dpkg-dev file

# Where make install puts the programs; DESTDIR, if set, is prepended as usual.
PREFIX ?= /usr/local

# The libFuzzer targets, the seconds `make fuzz` gives each, and whether clang is there to build them.
FUZZ_TARGETS := load import consult shape
FUZZ_SECONDS ?= 60
HAVE_CLANG   := $(shell command -v clang++ >/dev/null 2>&1 && echo yes)

SUDO := $(shell [ "$$(id -u)" -eq 0 ] || echo sudo)

.PHONY: all deps install-packages configure build test test-release test-asan test-fuzz fuzz fuzz-build run bench bench-peer examples screenshots install package clean

all: build

deps:
	@$(MAKE) --no-print-directory install-packages NEEDED="$(PACKAGES)"

# Installs the Debian packages of NEEDED that are missing.
install-packages:
	@missing=$$(for p in $(NEEDED); do dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  $(SUDO) apt-get update -qq && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq $$missing; \
	fi
	@# A decimal-comma locale, for the tests that check numbers are written alike in every locale.
	@locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$$' || $(SUDO) localedef -i de_DE -f UTF-8 de_DE.UTF-8 || true

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DCORVINA_WERROR=ON $(CMAKE_FLAGS)

$(ASAN_BUILD)/build.ninja:
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCORVINA_WERROR=ON \
	  -DCORVINA_SANITIZE=ON -DCORVINA_GUI=OFF -DCORVINA_BENCH=OFF $(CMAKE_FLAGS)

configure: deps $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD) -j $(JOBS)

test-release: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The Qt-free modules run a second time under AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan: deps $(ASAN_BUILD)/build.ninja
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

# Each fuzz target runs once over every input of its seed corpus, so a finding that comes back
# fails the tests; skipped where clang is missing.
test-fuzz: deps
ifeq ($(HAVE_CLANG),yes)
	$(MAKE) --no-print-directory fuzz-build
	@for t in $(FUZZ_TARGETS); do \
	  echo "== replaying tests/fuzz/corpus/$$t"; \
	  $(FUZZ_BUILD)/tests/fuzz/$${t}_fuzzer tests/fuzz/corpus/$$t/* > $(FUZZ_BUILD)/$$t-replay.log 2>&1 \
	    || { tail -n 40 $(FUZZ_BUILD)/$$t-replay.log; exit 1; }; \
	done
else
	@echo "clang++ not found: the fuzz corpora are not replayed"
endif

$(FUZZ_BUILD)/build.ninja:
	cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCORVINA_FUZZ=ON -DCORVINA_GUI=OFF -DCORVINA_TESTS=OFF -DCORVINA_BENCH=OFF $(CMAKE_FLAGS)

fuzz-build: deps $(FUZZ_BUILD)/build.ninja
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target $(addsuffix _fuzzer,$(FUZZ_TARGETS))

# Explores from each seed corpus for FUZZ_SECONDS, one target after the other; what is found
# goes to $(FUZZ_BUILD)/corpus, and a crash stops with the input saved as crash-*.
fuzz: fuzz-build
	@for t in $(FUZZ_TARGETS); do \
	  mkdir -p $(FUZZ_BUILD)/corpus/$$t; \
	  echo "== fuzzing $$t for $(FUZZ_SECONDS) s"; \
	  $(FUZZ_BUILD)/tests/fuzz/$${t}_fuzzer -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	    -artifact_prefix=$(FUZZ_BUILD)/ $(FUZZ_BUILD)/corpus/$$t tests/fuzz/corpus/$$t || exit 1; \
	done

test: test-release test-asan test-fuzz

run: build
	$(BUILD)/shell/corvina

bench: build
	@for b in $(BUILD)/bench/*_bench; do echo "== $$b"; $$b; done

# Corvina against FANN on networks of about the same size. FANN (libfann-dev) is needed by this
# benchmark only, so it is installed here and not with PACKAGES.
bench-peer: deps
	@dpkg-query -W -f='$${Status}\n' libfann-dev 2>/dev/null | grep -q '^install ok installed' || \
	  { $(SUDO) apt-get update -qq && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq libfann-dev; }
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DCORVINA_WERROR=ON $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS) --target peer_bench
	# Pinned to one core, the last.
	taskset -c $$(($$(nproc) - 1)) $(BUILD)/bench/peer/peer_bench

# Trains every example in both rounding modes and prints the held-out accuracies (a few minutes).
examples: configure
	cmake --build $(BUILD) -j $(JOBS) --target corvina-cli
	examples/run_examples.sh $(BUILD)/cli/corvina-cli

screenshots: build
	tools/screenshots $(BUILD) screenshots

install: build
	DESTDIR=$(DESTDIR) cmake --install $(BUILD) --prefix $(PREFIX)

# A Debian package, corvina_<version>-1_<arch>.deb, in the build folder.
package: build
	@$(MAKE) --no-print-directory install-packages NEEDED="$(PACKAGE_TOOLS)"
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf build
