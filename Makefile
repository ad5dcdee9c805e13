# make run  : install dependencies, build, run the main job (outputs in out/)
# make test : install dependencies, build, run every test headless
# make asan : the same tests under AddressSanitizer + UBSan (Clang), fuzz corpora replayed
# make bench: build and run the benchmarks
.PHONY: deps build run test asan bench clean

JOBS ?= 2

deps:
	@bash scripts/install-deps.sh

build: deps
	@cmake --preset default >/dev/null
	@cmake --build --preset default -j $(JOBS)

run: build
	@bash scripts/run-main-job.sh build/default

test: build
	@QT_QPA_PLATFORM=offscreen KVD_UI_NONINTERACTIVE=1 ctest --preset default

asan: deps
	@cmake --preset asan >/dev/null
	@cmake --build --preset asan -j $(JOBS)
	@QT_QPA_PLATFORM=offscreen KVD_UI_NONINTERACTIVE=1 ASAN_OPTIONS=detect_leaks=1 ctest --preset asan

bench: build
	@for b in build/default/bin/bench_*; do echo "== $$b"; $$b; done

clean:
	rm -rf build out
