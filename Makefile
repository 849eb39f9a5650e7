# The README's two commands, ./demo.sh and ./test.sh, install what is missing (make included) and run:
#   make demo   installs what is missing, builds the demo and writes the sample documents
#   make test   installs what is missing, builds everything and runs every test, also under the sanitizers,
#               checks the API reference and installs and uses the library from outside the tree
# Other targets: build, sanitize, docs, install-check, bench, fuzz (see the README).

BUILD_DIR    ?= build
SANITIZE_DIR ?= build-sanitize
FUZZ_DIR     ?= build-fuzz
FUZZ_SECONDS ?= 300
JOBS         ?= $(shell nproc)

.PHONY: setup build demo test test-plain sanitize docs install-check bench fuzz clean

setup:
	@scripts/setup.sh

build: setup
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(BUILD_DIR) -j $(JOBS)

demo: setup
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target PaginorDemo
	@scripts/run-demo.sh $(BUILD_DIR)

test-plain: build
	@ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)

sanitize: setup
	@cmake -S . -B $(SANITIZE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPAGINOR_SANITIZE=ON >/dev/null
	@cmake --build $(SANITIZE_DIR) -j $(JOBS)
	@ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --test-dir $(SANITIZE_DIR) --output-on-failure -j $(JOBS)

docs: setup
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(BUILD_DIR) --target docs
	@echo "API reference: $(BUILD_DIR)/docs/html/index.html"

install-check: setup
	@JOBS=$(JOBS) scripts/check-install.sh

test: test-plain sanitize docs install-check

bench: build
	@for b in $(BUILD_DIR)/bench/*_bench; do echo "== $$b"; $$b; done

fuzz:
	@scripts/setup.sh --fuzz
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPAGINOR_FUZZ=ON >/dev/null
	@cmake --build $(FUZZ_DIR) -j $(JOBS)
	@scripts/run-fuzzers.sh $(FUZZ_DIR) $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(FUZZ_DIR)
