# make run   builds the game and starts it
# make test  builds twice (plain, and with AddressSanitizer and UndefinedBehaviorSanitizer) and runs every test
# make bench runs the benchmarks of the evaluation and the strategies
BUILD := build
SANITIZED := build-sanitized
JOBS := $(shell nproc)

.PHONY: all run test bench clean

all:
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j$(JOBS)

run: all
	./$(BUILD)/src/qt/vornix

test: all
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)
	cmake -S . -B $(SANITIZED) -DCMAKE_BUILD_TYPE=Debug -DVORNIX_SANITIZE=ON -DVORNIX_BENCH=OFF
	cmake --build $(SANITIZED) -j$(JOBS)
	cd $(SANITIZED) && ctest --output-on-failure -j$(JOBS)

bench: all
	./$(BUILD)/bench/vornix_bench --benchmark_counters_tabular=true

clean:
	rm -rf $(BUILD) $(SANITIZED)
