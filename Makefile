# make run   builds the game and starts it
# make test  builds twice (plain with gcc; with clang, AddressSanitizer, UndefinedBehaviorSanitizer,
#            checked containers and the fuzz targets) and runs every test, each fuzz target for a minute
# make fuzz  runs the fuzz targets for longer: make fuzz FUZZ_SECONDS=900
# make bench runs the benchmarks of the evaluation and the strategies
# make mutants plants faults in the rules one at a time and reports what the tests catch: make mutants MUTANTS=300
# make install-check  builds without any test tool, installs into a scratch prefix and validates it
# make deb   builds the Debian package into build-deb/ and runs lintian on it
BUILD := build
SANITIZED := build-sanitized
INSTALLED := build-install
PACKAGED := build-deb
ID := org.vornix.Vornix
JOBS := $(shell nproc)
FUZZ_SECONDS := 60
MUTANTS := 300

.PHONY: all sanitized run test install-check deb fuzz bench mutants clean

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
	$(MAKE) install-check
	$(MAKE) sanitized
	cd $(SANITIZED) && ctest --output-on-failure -j$(JOBS)

install-check:
	rm -rf $(INSTALLED)/prefix
	cmake -S . -B $(INSTALLED) -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DVORNIX_BENCH=OFF
	cmake --build $(INSTALLED) -j$(JOBS)
	cmake --install $(INSTALLED) --prefix $(CURDIR)/$(INSTALLED)/prefix
	desktop-file-validate $(INSTALLED)/prefix/share/applications/$(ID).desktop
	appstreamcli validate --no-net $(INSTALLED)/prefix/share/metainfo/$(ID).metainfo.xml
	test -f $(INSTALLED)/prefix/share/vornix/Win.wav && test -f $(INSTALLED)/prefix/share/vornix/lose.wav
	test -f $(INSTALLED)/prefix/share/icons/hicolor/scalable/apps/$(ID).svg
	man --warnings -l $(INSTALLED)/prefix/share/man/man6/vornix.6 > /dev/null
	man --warnings -l $(INSTALLED)/prefix/share/man/man6/vornix-analyse.6 > /dev/null
	$(INSTALLED)/prefix/bin/vornix --version
	$(INSTALLED)/prefix/bin/vornix-analyse --version

deb:
	dpkg-buildpackage -us -uc -b
	mkdir -p $(PACKAGED)
	mv ../vornix_2.4.0_* ../vornix-dbgsym_2.4.0_* $(PACKAGED)/
	lintian --fail-on error $(PACKAGED)/vornix_*.changes

fuzz: sanitized
	cd $(SANITIZED) && ctest --output-on-failure -j$(JOBS) -R '^fuzz\.'

bench: all
	./$(BUILD)/bench/vornix_bench --benchmark_counters_tabular=true

mutants:
	tools/mutants.py --count $(MUTANTS) --jobs $(JOBS)

clean:
	rm -rf $(BUILD) $(SANITIZED) $(INSTALLED) $(PACKAGED) build-mutants
