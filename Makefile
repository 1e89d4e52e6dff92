# make run [ARGS="folder or files"]   install what is missing, build, start
# make test                           install what is missing, build, run every test
# make install [PREFIX=/usr/local]     build, then install the program, its help and menu entry
# make fuzz [FUZZ_S=60]               build the fuzz targets (clang) and run each for FUZZ_S seconds
# make monkey [MONKEY_SEED=n MONKEY_EVENTS=n]  20,000 random acts on the program
# make asan                           the core and platform tests under ASan + UBSan (build-asan)
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: deps configure build run test monkey asan install bench clean fuzz

deps:
	@bash scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/src/app/tossbox $(ARGS)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

monkey: configure
	@BUILD=$(BUILD) JOBS=$(JOBS) bash scripts/monkey

asan: deps
	@JOBS=$(JOBS) bash scripts/sanitizer-tests

install: build
	cmake --install $(BUILD) $(if $(PREFIX),--prefix $(PREFIX))

bench: configure
	@cmake --build $(BUILD) -j $(JOBS) --target benchmarks
	@for b in $(BUILD)/bench/*/bench_*; do if [ -x "$$b" ]; then "$$b" || exit 1; fi; done

FUZZ_S ?= 60
fuzz: deps
	@FUZZ_S=$(FUZZ_S) bash scripts/fuzz

clean:
	rm -rf $(BUILD)
