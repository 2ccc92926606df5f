# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The Quillby developers
# Quillby's two front doors: `make run` and `make test`. Both install what is missing first.
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: run test check-tree test-plain test-sanitize test-deb test-windows test-web build bench \
	install deb windows windows-installer web serve clean fuzz fuzz-merge \
	soak soak-headless soak-desktop soak-windows soak-web
# Emscripten's optimizer and the browser tests find their npm modules here (npm ci puts them).
export NODE_PATH := $(CURDIR)/node_modules

run: build
	./build/default/shell/quillby $(ARGS)

build:
	@scripts/ensure-deps.sh
	cmake --preset default
	cmake --build --preset default -j $(JOBS) --target quillby

bench: build
	cmake --build --preset default -j $(JOBS) --target quillby_bench
	./build/default/bench/quillby_bench

test:
	@scripts/ensure-deps.sh test
	$(MAKE) --no-print-directory check-tree test-plain test-sanitize test-deb test-windows test-web

# Formatting and licence headers across the whole tree.
check-tree:
	scripts/check-tree.sh

# Configures, builds and runs the tests of one CMake preset.
define preset_tests
cmake --preset $(1)
cmake --build --preset $(1) -j $(JOBS)
ctest --preset $(1) -j $(JOBS)
endef

test-plain:
	$(call preset_tests,default)

test-sanitize:
	$(call preset_tests,sanitize)

# The page: static files in build/web/ that any web server can host.
web:
	@scripts/ensure-deps.sh web
	cmake --preset web
	cmake --build --preset web -j $(JOBS)

# Serves it as a static host would: compressed, with validators (scripts/serve-web.mjs).
serve: web
	node scripts/serve-web.mjs --dir build/web --port 8000

# The page in Chromium, Firefox and WebKit, against the headless program; then a short soak
# of the page in Chromium.
# A browser that hangs must not hold the tests up for good: they take 5 minutes at most here.
test-web: web build
	timeout --kill-after=10 1200 node --test tests/platform/hosts/web/
	node bench/soak/web.mjs --seconds 20

# The Windows build, cross-compiled with MinGW-w64; its tests run under Wine.
test-windows:
	$(call preset_tests,windows)

# build/windows/quillby.exe: the game for 64-bit Windows 10 and 11, one file.
windows:
	@scripts/ensure-deps.sh windows
	cmake --preset windows
	cmake --build --preset windows -j $(JOBS) --target quillby

# build/windows/QuillbySetup.exe: installs it for the current user.
windows-installer: windows
	cmake --build --preset windows -j $(JOBS) --target quillby_installer

# libFuzzer over every parser, FUZZ_SECONDS a target, two targets at a time (fuzz/run.sh).
FUZZ_SECONDS ?= 180
fuzz:
	@scripts/ensure-deps.sh fuzz
	cmake --preset fuzz
	cmake --build --preset fuzz -j $(JOBS)
	FUZZ_SECONDS=$(FUZZ_SECONDS) fuzz/run.sh

# Keeps what the last `make fuzz` found that reaches new code, in fuzz/corpus/.
fuzz-merge:
	fuzz/run.sh --merge

# The program, its manual page, menu entry, icons and software-centre listing under the prefix.
install: build
	cmake --build --preset default -j $(JOBS) --target quillby_install_files
	cmake --install build/default

# The Debian package, built by Debian's own tools from the tree as it stands:
# build/quillby_VERSION_ARCH.deb and its -dbgsym companion.
deb:
	@scripts/ensure-deps.sh deb
	JOBS=$(JOBS) packaging/build-deb.sh

# The package checked as Debian's tools and an installation meet it.
test-deb: deb
	tests/packaging/check_package.sh

# Hours of play on every host, at full length (docs/reliability.md): 24 virtual hours headless
# under the sanitizers, and 24 more with the voice; a quarter of an hour of the desktop window,
# ten minutes each of Windows under Wine and of the page in Chromium. The tests run a short
# slice of each.
soak: soak-headless soak-desktop soak-windows soak-web

soak-headless:
	@scripts/ensure-deps.sh test
	cmake --preset sanitize
	cmake --build --preset sanitize -j $(JOBS) --target quillby_soak
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  build/sanitize/bench/soak/quillby_soak --hours 24
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  build/sanitize/bench/soak/quillby_soak --hours 24 --speak

soak-desktop: build
	bench/soak/desktop.sh

soak-windows:
	@scripts/ensure-deps.sh test
	cmake --preset windows
	cmake --build --preset windows -j $(JOBS) --target quillby quillby_census
	bench/soak/windows.sh

soak-web: web
	node bench/soak/web.mjs

clean:
	rm -rf build
