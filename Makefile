# Quillby's two front doors: `make run` and `make test`. Both install what is missing first.
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: run test test-plain test-sanitize build install clean

run: build
	@if [ -x build/default/quillby ]; then ./build/default/quillby $(ARGS); \
	else echo "The game itself is not built yet: only the platform layer and the toolkit exist so far."; fi

build:
	@scripts/ensure-deps.sh
	cmake --preset default
	cmake --build --preset default -j $(JOBS)

test:
	@scripts/ensure-deps.sh test
	$(MAKE) --no-print-directory test-plain test-sanitize

test-plain:
	cmake --preset default
	cmake --build --preset default -j $(JOBS)
	ctest --preset default -j $(JOBS)

test-sanitize:
	cmake --preset sanitize
	cmake --build --preset sanitize -j $(JOBS)
	ctest --preset sanitize -j $(JOBS)

install: build
	cmake --install build/default

clean:
	rm -rf build
