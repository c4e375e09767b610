# Two entry points: `make demo` and `make test`. Both install what is missing first.
BUILD   ?= build
JOBS    ?= $(shell nproc)
DEMO_DB ?= $(BUILD)/demo/praxis.db
DATA    ?= $(BUILD)/demo/data

.PHONY: deps configure build test demo bench clean

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

clean:
	rm -rf $(BUILD)
