# Entry points: `make run` starts the application, `make test` builds and runs every test.
# Both install the Debian packages they need first.

BUILD      ?= build/release
ASAN_BUILD ?= build/asan
JOBS       ?= $(shell nproc)
CMAKE_FLAGS ?=

# The exported C code is also tested as 32-bit code where Debian offers the multilib compiler.
MULTILIB := $(shell [ "$$(dpkg --print-architecture 2>/dev/null)" = amd64 ] && echo gcc-multilib)

PACKAGES := cmake ninja-build g++ make libgtest-dev libgmock-dev libbenchmark-dev \
            qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev libx11-dev fonts-dejavu-core \
            locales xvfb gcc clang $(MULTILIB) desktop-file-utils man-db shared-mime-info

# What make package needs besides: dpkg-shlibdeps and the file type probe CPack runs.
PACKAGE_TOOLS := dpkg-dev file

# Where make install puts the programs; DESTDIR, if set, is prepended as usual.
PREFIX ?= /usr/local

SUDO := $(shell [ "$$(id -u)" -eq 0 ] || echo sudo)

.PHONY: all deps install-packages configure build test test-release test-asan run bench screenshots install package clean

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

test: test-release test-asan

run: build
	$(BUILD)/shell/corvina

bench: build
	@for b in $(BUILD)/bench/*_bench; do echo "== $$b"; $$b; done

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
