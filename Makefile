# make run   builds the game and starts it
# make test  builds twice (plain with gcc; with clang, AddressSanitizer, UndefinedBehaviorSanitizer,
#            checked containers and the fuzz targets) and runs every test, each fuzz target for a minute
# make fuzz  runs the fuzz targets for longer: make fuzz FUZZ_SECONDS=900
# make bench runs the benchmarks of the evaluation and the strategies
BUILD := build
SANITIZED := build-sanitized
JOBS := $(shell nproc)
FUZZ_SECONDS := 60

.PHONY: all sanitized run test fuzz bench clean

all:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j$(JOBS)

sanitized:
	cmake -S . -B $(SANITIZED) -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" \
		-DVORNIX_SANITIZE=ON -DVORNIX_FUZZ=ON -DVORNIX_FUZZ_SECONDS=$(FUZZ_SECONDS) -DVORNIX_BENCH=OFF
	cmake --build $(SANITIZED) -j$(JOBS)

run: all
	./$(BUILD)/src/qt/vornix

test: all
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)
	$(MAKE) sanitized
	cd $(SANITIZED) && ctest --output-on-failure -j$(JOBS)

fuzz: sanitized
	cd $(SANITIZED) && ctest --output-on-failure -j$(JOBS) -R '^fuzz\.'

bench: all
	./$(BUILD)/bench/vornix_bench --benchmark_counters_tabular=true

clean:
	rm -rf $(BUILD) $(SANITIZED)
