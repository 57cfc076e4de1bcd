# make run: install what is missing, build, run an example program.
# make test: install what is missing, build, run every test in the release
#            build and again in a build with AddressSanitizer and UBSan, then
#            a short fuzzing smoke run from the corpus.
# make bench: install the peers, build, time atbasic against them (never part of test).
# make fuzz: fuzz each libFuzzer target for FUZZ_SECONDS on one core.
JOBS ?= 2
EXAMPLE ?= examples/chase.bas
TEST_GROUPS = core terminal media fuzz reliability
FUZZ_SECONDS ?= 600

.PHONY: run test deps build build-san build-fuzz fuzz fuzz-smoke bench clean

deps:
	@scripts/install-deps.sh $(TEST_GROUPS)

build: deps
	@cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build build -j$(JOBS)

build-san: deps
	@cmake -S . -B build-san -DCMAKE_BUILD_TYPE=RelWithDebInfo -DATBASIC_SANITIZE=ON >/dev/null
	@cmake --build build-san -j$(JOBS)

run: build
	./build/atbasic $(EXAMPLE)

build-fuzz: deps
	@cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++-14 \
	  -DATBASIC_FUZZ=ON -DATBASIC_TESTS=OFF >/dev/null
	@cmake --build build-fuzz -j$(JOBS) --target fuzz_load fuzz_run

fuzz: build-fuzz
	scripts/fuzz.sh $(FUZZ_SECONDS)

fuzz-smoke: build-fuzz
	scripts/fuzz.sh smoke

test: build build-san
	cd build && ctest --output-on-failure -j$(JOBS)
	$(MAKE) --no-print-directory fuzz-smoke
	cd build-san && ctest --output-on-failure -j$(JOBS)

bench: build
	@scripts/install-deps.sh bench
	python3 bench/run.py ./build/atbasic

clean:
	rm -rf build build-san build-fuzz
