# The README's two commands: `make run` and `make test`; `make bench` for the benchmarks.
BUILD   ?= build
ASAN    ?= build-asan
JOBS    ?= $(shell nproc)
CONFIG  = -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: deps build run test test-asan bench format clean

deps:
	@scripts/install-deps

build: deps
	@cmake -S . -B $(BUILD) $(CONFIG) >/dev/null
	@cmake --build $(BUILD) -j$(JOBS)

run: build
	$(BUILD)/zqe $(FILE)

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j$(JOBS)
	@$(MAKE) --no-print-directory test-asan

# Every test once more, built with the sanitizers. The toolkit keeps allocations alive until
# the process ends, so leak reports are off for the window tests.
test-asan: deps
	@cmake -S . -B $(ASAN) $(CONFIG) -DZQE_SANITIZE=ON -DZQE_GUI=ON >/dev/null
	@cmake --build $(ASAN) -j$(JOBS)
	ctest --test-dir $(ASAN) --output-on-failure -j$(JOBS) -L 'core|compiler'
	ASAN_OPTIONS=detect_leaks=0 ctest --test-dir $(ASAN) --output-on-failure -j$(JOBS) -L gui

bench: build
	@bench/run $(BUILD)

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(ASAN)
