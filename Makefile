# The one build entry point. `make run` builds and starts the program, `make test` builds and
# runs every test; both install what they need first.
.PHONY: all build dist run test bench fuzz format format-check clean deps

all: build

deps:
	@scripts/install-deps.sh

build: deps
	@scripts/build.sh win32

# The release: build/dist/vistrel-<version>.zip and its SHA-256.
dist: build
	@cmake --build build/win32 --target dist

run: deps
	@scripts/run.sh

test: deps
	@scripts/test.sh

bench: deps
	@scripts/bench.sh

fuzz: deps
	@scripts/build.sh host
	@scripts/fuzz.sh $(or $(FUZZ_SECONDS),60)

format:
	@scripts/format.sh fix

format-check:
	@scripts/format.sh check

clean:
	-chattr -i build/win32/locked-folder build/win32/locked-program 2>/dev/null
	rm -rf build
