# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The Quillby developers
# Quillby's two front doors: `make run` and `make test`. Both install what is missing first.
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: run test check-tree test-plain test-sanitize test-windows build bench install clean \
	windows windows-installer

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
	$(MAKE) --no-print-directory check-tree test-plain test-sanitize test-windows

# Formatting and licence headers across the whole tree.
check-tree:
	scripts/check-tree.sh

test-plain:
	cmake --preset default
	cmake --build --preset default -j $(JOBS)
	ctest --preset default -j $(JOBS)

test-sanitize:
	cmake --preset sanitize
	cmake --build --preset sanitize -j $(JOBS)
	ctest --preset sanitize -j $(JOBS)

# The Windows build, cross-compiled with MinGW-w64; its tests run under Wine.
test-windows:
	cmake --preset windows
	cmake --build --preset windows -j $(JOBS)
	ctest --preset windows -j $(JOBS)

# build/windows/quillby.exe: the game for 64-bit Windows 10 and 11, one file.
windows:
	@scripts/ensure-deps.sh windows
	cmake --preset windows
	cmake --build --preset windows -j $(JOBS) --target quillby

# build/windows/QuillbySetup.exe: installs it for the current user.
windows-installer: windows
	cmake --build --preset windows -j $(JOBS) --target quillby_installer

install: build
	cmake --install build/default

clean:
	rm -rf build
