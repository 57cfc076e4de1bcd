# make run: install what is missing, build, run an example program.
# make test: install what is missing, build, run every test in the release
#            build and again in a build with AddressSanitizer and UBSan.
# make bench: install the peers, build, time atbasic against them (never part of test).
JOBS ?= 2
EXAMPLE ?= examples/chase.bas
TEST_GROUPS = core terminal media

.PHONY: run test deps build build-san bench clean

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

test: build build-san
	cd build && ctest --output-on-failure -j$(JOBS)
	cd build-san && ctest --output-on-failure -j$(JOBS)

bench: build
	@scripts/install-deps.sh bench
	python3 bench/run.py ./build/atbasic

clean:
	rm -rf build build-san
