# Entry points: `make demo` and `make test`; `make asan` and `make fuzz` for the
# sanitizer build and the fuzz targets. All install what is missing first.
BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
JOBS       ?= $(shell nproc)
DEMO_DB    ?= $(BUILD)/demo/praxis.db
DATA       ?= $(BUILD)/demo/data
FUZZ_SECONDS ?= 60

# Any sanitizer report fails the test that caused it. Leaks inside Qt and the
# font libraries are not ours: scripts/lsan.supp names them.
SANITIZER_ENV = ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
                UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
                LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan.supp:print_suppressions=0 \
                QT_QPA_PLATFORM=offscreen

.PHONY: deps configure build test demo bench reference asan fuzz clean

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

demo: build
	@mkdir -p $(dir $(DEMO_DB))
	@bash scripts/demo.sh $(BUILD)/bin/vxstat $(DEMO_DB) $(DATA)

bench: build
	@bash scripts/bench.sh $(BUILD)

# Writes the stored reference outputs anew after an intended change; review
# `git diff tests/data` before committing them.
reference: build
	@bash scripts/reference-outputs.sh $(BUILD)/bin/vxstat tests/data/reference

# Every test again, built with AddressSanitizer and UndefinedBehaviorSanitizer.
asan: deps
	@cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVX_SANITIZE=ON >/dev/null
	@$(SANITIZER_ENV) cmake --build $(ASAN_BUILD) -j $(JOBS)
	@cd $(ASAN_BUILD) && $(SANITIZER_ENV) ctest --output-on-failure -j $(JOBS)

# The fuzz targets, built with clang, each run for FUZZ_SECONDS.
fuzz: deps
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    -DVX_FUZZ=ON -DBUILD_TESTING=OFF >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzz_targets
	@FUZZ_SECONDS=$(FUZZ_SECONDS) bash scripts/fuzz.sh $(FUZZ_BUILD)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
