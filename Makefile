# The two commands that matter: `make run` and `make test`. Both install what is missing first.
JOBS        ?= $(shell nproc)
TEST_DIR    := build/test
RELEASE_DIR := build/release
FUZZ_DIR    := build/fuzz
TSAN_DIR    := build/tsan
FUZZ_SECONDS ?= 30
CMAKE_GEN   := -G Ninja

.PHONY: deps test test-tsan run bench fuzz format clean skin

deps:
	@scripts/install-deps

# Sanitizer settings shared by every run of the test tree.
SANITIZER_ENV := ASAN_OPTIONS=detect_leaks=1:check_initialization_order=1:strict_init_order=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan.supp UBSAN_OPTIONS=print_stacktrace=1
# Without a display: a test that needs one and lacks the label `gui` fails here, as it should.
NO_DISPLAY    := env -u DISPLAY -u WAYLAND_DISPLAY
CTEST         := ctest --output-on-failure --no-tests=ignore -j $(JOBS)

# The display-free tests without DISPLAY, then the `gui` tests on one Xvfb display, then the `gl`
# tests on EGL's surfaceless platform with Mesa's software rasteriser, then ThreadSanitizer.
test: deps
	cmake -S . -B $(TEST_DIR) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZYL_SANITIZE=ON
	cmake --build $(TEST_DIR) -j $(JOBS)
	cd $(TEST_DIR) && $(NO_DISPLAY) $(SANITIZER_ENV) $(CTEST) -LE '^(gui|gl)$$'
	cd $(TEST_DIR) && $(SANITIZER_ENV) GTK_THEME=Adwaita xvfb-run -a -s "-screen 0 1280x1024x24" $(CTEST) -L '^gui$$'
	cd $(TEST_DIR) && $(NO_DISPLAY) $(SANITIZER_ENV) LIBGL_ALWAYS_SOFTWARE=1 EGL_PLATFORM=surfaceless $(CTEST) -L '^gl$$'
	$(MAKE) --no-print-directory test-tsan

# The lock and clock tests once more, under ThreadSanitizer, in a small tree of their own.
test-tsan: deps
	cmake -S . -B $(TSAN_DIR) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZYL_TSAN=ON
	cmake --build $(TSAN_DIR) -j $(JOBS) --target zyl_tsan_tests
	cd $(TSAN_DIR) && TSAN_OPTIONS=halt_on_error=1 ctest -L tsan --output-on-failure -j $(JOBS)

run: deps
	cmake -S . -B $(RELEASE_DIR) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DZYL_TESTS=OFF
	cmake --build $(RELEASE_DIR) -j $(JOBS)
	scripts/run-player $(RELEASE_DIR) $(ARGS)

bench: deps
	cmake -S . -B $(RELEASE_DIR) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DZYL_TESTS=OFF -DZYL_BENCH=ON
	cmake --build $(RELEASE_DIR) -j $(JOBS)
	$(RELEASE_DIR)/bench/zyl_bench

fuzz: deps
	cmake -S . -B $(FUZZ_DIR) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZYL_TESTS=OFF -DZYL_FUZZ=ON \
		-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
	cmake --build $(FUZZ_DIR) -j $(JOBS)
	@for target in $(FUZZ_DIR)/fuzz/fuzz_*; do \
		name=$$(basename $$target | sed 's/^fuzz_//'); \
		mkdir -p build/fuzz-corpus/$$name; \
		echo "fuzzing $$name for $(FUZZ_SECONDS) s"; \
		$$target -max_total_time=$(FUZZ_SECONDS) build/fuzz-corpus/$$name fuzz/corpus/$$name || exit 1; \
	done

# Redraws the player's skin, about and icon pictures into apps/player/resources/; commit them.
skin: deps
	cmake -S . -B $(RELEASE_DIR) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DZYL_TESTS=OFF
	cmake --build $(RELEASE_DIR) -j $(JOBS) --target zylskin
	$(RELEASE_DIR)/tools/zylskin apps/player/resources

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build
