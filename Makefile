# The two commands a user needs: `make run` and `make test`. Both install what is missing first.
PRESET ?= default
BUILD  := build

.PHONY: all deps configure build run test bench clean

all: build

deps:
	@bash tools/install-deps.sh

configure: deps
	@cmake --preset $(PRESET) >/dev/null

build: configure
	@cmake --build --preset $(PRESET)

run: build
	@cd $(BUILD)/bin && ./candora

test: build
	@ctest --preset $(PRESET)

bench: build
	@bash bench/run.sh $(BUILD)

clean:
	@rm -rf $(BUILD)
