# make run   builds the game and starts it
# make test  builds twice (plain with gcc; with clang, AddressSanitizer, UndefinedBehaviorSanitizer,
#            checked containers and the fuzz targets) and runs every test, each fuzz target for 30 seconds
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
# The empty board, as the analysis tool reads positions.
EMPTY := ................................................................
JOBS := $(shell nproc)
FUZZ_SECONDS := 30
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
	cmake -S . -B $(INSTALLED) -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DVORNIX_BENCH=OFF \
		-DCMAKE_INSTALL_PREFIX=$(CURDIR)/$(INSTALLED)/prefix
	cmake --build $(INSTALLED) -j$(JOBS)
	cmake --install $(INSTALLED) --strip
	desktop-file-validate $(INSTALLED)/prefix/share/applications/$(ID).desktop
	appstreamcli validate --no-net $(INSTALLED)/prefix/share/metainfo/$(ID).metainfo.xml
	test -f $(INSTALLED)/prefix/share/vornix/Win.wav && test -f $(INSTALLED)/prefix/share/vornix/lose.wav
	$(INSTALLED)/prefix/bin/vornix-analyse --strategy zeddon $(EMPTY) | grep -qx 'reason book'
	test "$$($(INSTALLED)/prefix/bin/vornix-analyse puzzles list | wc -l)" -eq 200
	test -f $(INSTALLED)/prefix/share/icons/hicolor/scalable/apps/$(ID).svg
	for page in vornix vornix-analyse; do \
		man --warnings -l $(INSTALLED)/prefix/share/man/man6/$$page.6 > /dev/null && \
		mandoc -T lint -W warning $(INSTALLED)/prefix/share/man/man6/$$page.6 || exit 1; \
	done
	grep -qx 'Exec=$(CURDIR)/$(INSTALLED)/prefix/bin/vornix' $(INSTALLED)/prefix/share/applications/$(ID).desktop
	grep -q '$(CURDIR)/$(INSTALLED)/prefix/share/vornix' $(INSTALLED)/prefix/share/man/man6/vornix.6
	$(INSTALLED)/prefix/bin/vornix --version
	$(INSTALLED)/prefix/bin/vornix-analyse --version

# Built in a scratch copy of the tree, so that the checkout and its parent folder stay as they were.
deb:
	rm -rf $(PACKAGED) && mkdir -p $(PACKAGED)/vornix-2.4.0
	tar -c --exclude-vcs --exclude='./build*' --exclude='./obj-*' -f - . | tar -x -C $(PACKAGED)/vornix-2.4.0
	cd $(PACKAGED)/vornix-2.4.0 && dpkg-buildpackage -us -uc -b
	rm -rf $(PACKAGED)/vornix-2.4.0
	lintian --fail-on error $(PACKAGED)/vornix_*.changes

fuzz: sanitized
	cd $(SANITIZED) && ctest --output-on-failure -j$(JOBS) -R '^fuzz\.'

bench: all
	./$(BUILD)/bench/vornix_bench --benchmark_counters_tabular=true

mutants:
	tools/mutants.py --count $(MUTANTS) --jobs $(JOBS)

clean:
	rm -rf $(BUILD) $(SANITIZED) $(INSTALLED) $(PACKAGED) build-mutants
