# The two commands of the README: `make run` and `make test`.
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
DATA ?= $(CURDIR)/run-data

.PHONY: deps build build-asan run test test-asan tidy fuzz-smoke fuzz-long bench deb format clean

deps:
	sh scripts/install-deps.sh

build: deps
	cmake --preset default
	cmake --build --preset default -j $(JOBS)

build-asan: deps
	cmake --preset asan
	cmake --build --preset asan -j $(JOBS)

run: build
	sh scripts/run-desktop.sh $(CURDIR)/build/default/tallivan $(DATA)

test: build
	ctest --preset default -j $(JOBS)

test-asan: build-asan
	ctest --preset asan -j $(JOBS)

# clang-tidy's bugprone checks over the sources, as .clang-tidy sets them.
tidy: build
	sh scripts/install-deps.sh tidy
	sh scripts/tidy.sh

# The fuzz targets (clang, libFuzzer): a short run of each, or FUZZ_SECONDS seconds of each.
FUZZ_RUNS ?= 2000
FUZZ_SECONDS ?= 600
fuzz-smoke:
	sh scripts/install-deps.sh fuzz
	sh fuzz/run.sh --runs $(FUZZ_RUNS)

fuzz-long:
	sh scripts/install-deps.sh fuzz
	sh fuzz/run.sh --seconds $(FUZZ_SECONDS)

bench: build
	./build/default/tallivan_bench
	QT_QPA_PLATFORM=offscreen ./build/default/tallivan_gui_bench

# The Debian package: build/default/tallivan_VERSION_ARCH.deb.
deb: build
	cd build/default && cpack -G DEB

format:
	find src tests bench -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf build
