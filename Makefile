# make run    set up, build and start the strip (build/orrinvale keeps build/配置文件.ini beside itself)
# make test   set up, build, every test layer under a virtual desktop, then the core tests under ASan+UBSan
# make build  set up and build build/orrinvale
# make bench  build, then print the benchmark figures (taken under a virtual desktop)
# make format clang-format the sources

BUILD_DIR := build
ASAN_DIR := build-asan
JOBS := 2
CMAKE ?= cmake
CTEST ?= ctest

SOURCE_DIRS := app timebar eventbars alarm workplan appearance platform tests

.PHONY: setup build run test test-desktop test-asan bench format

setup:
	@scripts/setup.sh

build: setup
	$(CMAKE) --preset default
	ninja -C $(BUILD_DIR) -j$(JOBS)

run: build
	cd $(BUILD_DIR) && ./orrinvale

# Both halves run even when the first fails, so one run reports everything; the exit code is non-zero when
# either failed.
test: build
	@status=0; \
	$(MAKE) --no-print-directory test-desktop || status=1; \
	$(MAKE) --no-print-directory test-asan || status=1; \
	if [ $$status -ne 0 ]; then echo "make test: FAILED" >&2; else echo "make test: all passed"; fi; \
	exit $$status

# Core, adapter and end-to-end tests, all under one desktop (Xvfb, openbox, tint2) that is taken down after.
test-desktop:
	scripts/with_desktop.sh $(CTEST) --test-dir $(BUILD_DIR) --output-on-failure --no-tests=error

test-asan: setup
	$(CMAKE) --preset asan
	ninja -C $(ASAN_DIR) -j$(JOBS)
	$(CTEST) --test-dir $(ASAN_DIR) --output-on-failure --no-tests=error

bench: build
	scripts/with_desktop.sh python3 tests/bench/run_bench.py --build $(BUILD_DIR)

format:
	find $(SOURCE_DIRS) \( -name '*.cpp' -o -name '*.h' \) -print0 | xargs -0 clang-format -i
