# `make run` and `make test` each install what is missing, configure and build.
BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 20
JOBS       ?= $(shell nproc)

.PHONY: run test deps build sanitize-test fuzz soak package check-package format clean

deps:
	bash scripts/install-deps

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j$(JOBS)

# The program starts in its own directory, where its sound file lies.
run: build
	cd $(BUILD)/src/app && ./ziehbox

test: build
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)

# The test suite once more under AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize-test: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DZIEHBOX_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j$(JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j$(JOBS)

# The page parsers and the import's read step under libFuzzer with AddressSanitizer, for a bounded time
# each; new inputs go to the build directory, the seeds stay as they are.
fuzz: deps
	cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ -DZIEHBOX_FUZZ=ON -DZIEHBOX_BUILD_APP_ONLY=ON
	cmake --build $(FUZZ_BUILD) --target fuzz_draw_page fuzz_result_page fuzz_text_import -j$(JOBS)
	for t in draw_page result_page text_import; do \
	  mkdir -p $(FUZZ_BUILD)/corpus/$$t && \
	  $(FUZZ_BUILD)/fuzz/fuzz_$$t -max_total_time=$(FUZZ_SECONDS) -max_len=4096 $(FUZZ_BUILD)/corpus/$$t fuzz/seeds/$$t || exit 1; \
	done

# 10,000 kills of a process while it writes the archive in every way it can; prints "kills: N, losses: L".
# Not part of the test run (it takes a few minutes).
soak: build
	ZIEHBOX_KILL_ROUNDS=10000 $(BUILD)/tests/archive/archive_tests --gtest_filter='DrawArchiveKill.*'

# A Debian package of the installed program (build/ziehbox_<version>_<arch>.deb).
package: build
	cd $(BUILD) && cpack -G DEB

# Installs, validates, packages and starts the packaged program as an ordinary user.
check-package: package
	bash scripts/check-package $(BUILD)

format:
	find src tests bench tools fuzz -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
