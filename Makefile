# The two everyday commands are `make run` and `make test`; both install what is missing first.
BUILD      ?= build
ASAN_BUILD ?= build-asan
BENCH_BUILD ?= build-bench
FUZZ_BUILD ?= build-fuzz
JOBS       ?= $(shell nproc)
WERROR     := $(if $(CI),ON,OFF)
GENERATOR  := -G Ninja

.PHONY: all deps configure build run test test-main test-asan asan fuzz-build fuzz bench format pot clean

all: build

deps:
	@scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZW_WERROR=$(WERROR) \
	  -DCMAKE_EXPORT_COMPILE_COMMANDS=ON > /dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/src/ui/app/zonewright

asan: deps
	@cmake -S . -B $(ASAN_BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug -DZW_SANITIZE=ON \
	  -DZW_BUILD_GUI=OFF -DZW_WERROR=$(WERROR) > /dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS)

# The parsers of files and replies, instrumented for libFuzzer with the sanitizers.
fuzz-build: deps
	@cmake -S . -B $(FUZZ_BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_CXX_COMPILER=clang++ -DZW_BUILD_FUZZ=ON -DZW_BUILD_GUI=OFF -DZW_BUILD_TESTS=OFF \
	  -DZW_WERROR=$(WERROR) > /dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzzers

# The core tests run twice: once in the normal build with the windowed tests, once under
# AddressSanitizer and UndefinedBehaviorSanitizer. Then every parser is fuzzed for a few
# seconds. Then the normal build is installed into a temporary directory and the installed
# desktop entry, metainfo and manual pages validated.
test: build asan fuzz-build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ASAN_OPTIONS=detect_leaks=1 \
	  ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS)
	scripts/run-fuzz.sh $(FUZZ_BUILD) short
	scripts/check-install.sh $(BUILD)

# Every parser fuzzed for a million inputs; prints the counts.
fuzz: fuzz-build
	scripts/run-fuzz.sh $(FUZZ_BUILD) full

bench: deps
	@cmake -S . -B $(BENCH_BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=Release -DZW_BUILD_BENCH=ON \
	  -DZW_BUILD_TESTS=OFF > /dev/null
	@cmake --build $(BENCH_BUILD) -j $(JOBS)
	@rm -f $(BENCH_BUILD)/bench/*.json
	@for b in $(BENCH_BUILD)/bench/bench_*; do \
	  if [ -f "$$b" ] && [ -x "$$b" ]; then echo "== $$b"; \
	    "$$b" --benchmark_out="$$b.json" --benchmark_out_format=json || exit 1; fi; \
	done
	@scripts/bench-summary.py $(BENCH_BUILD)/bench/bench_*.json

# The translation template, translations/zonewright.ts, from every text in src/.
pot: configure
	@cmake --build $(BUILD) --target pot

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(BENCH_BUILD) $(FUZZ_BUILD)
