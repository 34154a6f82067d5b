# The two commands of the README: `make run` and `make test`. Both install what is missing.
BUILD      ?= build
SANITIZE   ?= build-sanitize
BENCH      ?= build-bench
FUZZ       ?= build-fuzz
JOBS       ?= $(shell nproc)
GENERATOR  := -G Ninja
CTEST_ARGS ?=

.PHONY: all deps configure build run test sanitize tsan bench fuzz format clean

all: build

deps:
	@./scripts/install-deps

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo

configure: $(BUILD)/build.ninja

build: deps configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/src/app/pictorra $(ARGS)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS) $(CTEST_ARGS)

# The same suite with AddressSanitizer and UndefinedBehaviorSanitizer, in its own folder.
sanitize: deps
	cmake -S . -B $(SANITIZE) $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug -DPICTORRA_SANITIZE=ON
	cmake --build $(SANITIZE) -j $(JOBS)
	cd $(SANITIZE) && ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
		ctest --output-on-failure -j $(JOBS) $(CTEST_ARGS)

# ThreadSanitizer over the tests that exercise threads.
tsan: deps
	cmake -S . -B build-tsan $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug -DPICTORRA_TSAN=ON
	cmake --build build-tsan -j $(JOBS)
	cd build-tsan && ctest --output-on-failure -j $(JOBS) $(CTEST_ARGS)

bench: deps
	cmake -S . -B $(BENCH) $(GENERATOR) -DCMAKE_BUILD_TYPE=Release -DPICTORRA_BENCH=ON
	cmake --build $(BENCH) -j $(JOBS)
	cd $(BENCH) && ctest -L bench --verbose

fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPICTORRA_FUZZ=ON
	cmake --build $(FUZZ) -j $(JOBS) --target fuzz_targets

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD) $(SANITIZE) $(BENCH) $(FUZZ) build-tsan
