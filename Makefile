# Front door: `make run` and `make test` set everything up on a fresh Debian 12 machine.
MAKEFLAGS += --no-print-directory
.PHONY: all setup build run test dist fuzz bench endurance lint format clean

all: build

setup:
	@scripts/setup.sh

build: setup
	@scripts/build.sh

run: setup
	@scripts/run.sh

test: setup
	@scripts/test.sh

dist: setup
	@scripts/dist.sh

fuzz: setup
	@scripts/fuzz.sh

bench: build
	@scripts/bench.sh

endurance: build
	@scripts/endurance.sh

lint: setup
	@scripts/lint.sh

format: setup
	@scripts/format.sh

clean:
	rm -rf build dist
