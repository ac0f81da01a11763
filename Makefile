# Everyday commands. `make demo` and `make test` work on a fresh Debian
# machine: they install what is missing first.
BUILD      ?= build
BUILD_ASAN ?= build-asan
BUILD_CLANG ?= build-clang
BUILD_RELEASE ?= build-release-tests
JOBS       ?= $(shell nproc)
CMAKE_ARGS ?=

.PHONY: deps deps-web web test-web build test test-plain test-asan test-clang test-release test-all demo gui bench bench-commands bench-memory bench-document bench-web fuzz fuzz-build fuzz-regress format format-check clean

deps:
	./scripts/install-deps.sh

CONFIGURE = cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTEXTTOXML_WERROR=ON $(CMAKE_ARGS)

build: deps
	$(CONFIGURE)
	cmake --build $(BUILD) -j $(JOBS)

# Every test twice: a normal build with warnings as errors, then a build
# under AddressSanitizer and UndefinedBehaviorSanitizer.
test: test-plain test-asan fuzz-regress

test-plain: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

test-asan: deps
	cmake -S . -B $(BUILD_ASAN) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTEXTTOXML_WERROR=ON \
	  -DTEXTTOXML_SANITIZE=ON -DTEXTTOXML_BENCH=OFF $(CMAKE_ARGS)
	cmake --build $(BUILD_ASAN) -j $(JOBS)
	cd $(BUILD_ASAN) && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 \
	  UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

# The builds CI checks beyond `make test`: clang with its own warnings, and
# a Release build (assertions off) on a machine that lacks Qt and Google
# Benchmark, so that both stay optional; and the browser page against the
# command line.
test-all: test test-clang test-release test-web

test-clang: deps
	CC=clang CXX=clang++ cmake -S . -B $(BUILD_CLANG) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTEXTTOXML_WERROR=ON \
	  -DTEXTTOXML_GUI=OFF -DTEXTTOXML_BENCH=OFF -DCMAKE_CXX_FLAGS=-Wshadow $(CMAKE_ARGS)
	cmake --build $(BUILD_CLANG) -j $(JOBS)
	cd $(BUILD_CLANG) && ctest --output-on-failure -j $(JOBS)

test-release: deps
	cmake -S . -B $(BUILD_RELEASE) -G Ninja -DCMAKE_BUILD_TYPE=Release -DTEXTTOXML_WERROR=ON \
	  -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=ON -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON $(CMAKE_ARGS)
	cmake --build $(BUILD_RELEASE) -j $(JOBS)
	cd $(BUILD_RELEASE) && ctest --output-on-failure -j $(JOBS)

demo: deps
	$(CONFIGURE)
	cmake --build $(BUILD) -j $(JOBS) --target programs
	cd examples && ../$(BUILD)/src/cli/texttoxml convert sample.txt -o ../$(BUILD)/sample.xml
	@echo "Converted examples/sample.txt to $(BUILD)/sample.xml"

gui: build
	./$(BUILD)/src/app/qt/texttoxml-gui

bench: deps bench-commands
	./bench/compare.sh

# convert, convert --quiet, check and preview on 100,000 tasks, side by side.
bench-commands: deps
	./bench/commands.sh

# Peak memory of the four commands against the text's size (docs/robustness.md).
bench-memory: deps
	./bench/memory.sh

# A Word document against its text; needs `scripts/install-deps.sh --testdata`.
bench-document: deps
	./bench/document.sh

# The page's whole action (choose files, convert, download) against the
# command line's `convert`, side by side, on the sample, 20,000 and 100,000
# tasks, 30 large pictures and a 54 MB text (tests/web/benchmark.mjs).
bench-web: web deps
	bash -c 'root=$(CURDIR); . bench/measure.sh; release_build $(CURDIR)/build-release texttoxml'
	cd tests/web && npm ci --no-audit --no-fund
	cd tests/web && TEXTTOXML_CLI=$(CURDIR)/build-release/src/cli/texttoxml \
	  TEXTTOXML_PAGE=$(abspath $(BUILD_WEB))/texttoxml.html node benchmark.mjs

# The C++ sources against .clang-format: `format-check` lists the files that
# differ (CI runs it first), `format` rewrites them.
format: deps
	./scripts/check-format.sh --fix

format-check: deps
	./scripts/check-format.sh

# The libFuzzer harnesses (clang, ASan and UBSan). `make fuzz FUZZ_SECONDS=N`
# runs each one for N seconds, one after the other, starting from a copy of
# its corpus (CI does so after `make test-all`); `make fuzz-regress` replays
# every seed corpus once, as `make test` does.
BUILD_FUZZ   ?= build-fuzz
FUZZ_SECONDS ?= 60

fuzz-build: deps
	CC=clang CXX=clang++ cmake -S . -B $(BUILD_FUZZ) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DTEXTTOXML_FUZZ=ON -DTEXTTOXML_TESTS=OFF -DTEXTTOXML_GUI=OFF -DTEXTTOXML_BENCH=OFF $(CMAKE_ARGS)
	cmake --build $(BUILD_FUZZ) -j $(JOBS) --target fuzzers

fuzz: fuzz-build
	./fuzz/run.sh $(BUILD_FUZZ) $(FUZZ_SECONDS)

fuzz-regress: fuzz-build
	cd $(BUILD_FUZZ)/fuzz && ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD) $(BUILD_ASAN) $(BUILD_CLANG) $(BUILD_RELEASE) $(BUILD_FUZZ) $(BUILD_WEB)

# The converter as one HTML page for any browser, built with Debian's
# emscripten; zlib, libjpeg-turbo, libtiff, expat and libzip come from
# Debian's source packages and are built inside $(BUILD_WEB)/deps.
BUILD_WEB ?= build-web
WEB_ENV = NODE_PATH=/usr/share/nodejs PKG_CONFIG_LIBDIR=$(abspath $(BUILD_WEB))/deps/prefix/lib/pkgconfig

deps-web:
	./scripts/install-deps.sh --web

web: deps-web
	JOBS=$(JOBS) ./scripts/build-web-deps.sh $(BUILD_WEB)/deps
	$(WEB_ENV) cmake -S . -B $(BUILD_WEB) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=$$(em-config EMSCRIPTEN_ROOT)/cmake/Modules/Platform/Emscripten.cmake \
	  -DCMAKE_FIND_ROOT_PATH=$(abspath $(BUILD_WEB))/deps/prefix \
	  -DTEXTTOXML_TESTS=OFF -DTEXTTOXML_BENCH=OFF -DTEXTTOXML_GUI=OFF $(CMAKE_ARGS)
	$(WEB_ENV) cmake --build $(BUILD_WEB) -j $(JOBS) --target texttoxml_page

# The page in headless Chromium against the command line of $(BUILD). The
# lock file must name no download address (tests/web/.npmrc sees to that).
test-web: web deps
	$(CONFIGURE)
	cmake --build $(BUILD) -j $(JOBS) --target texttoxml
	! grep -q '"resolved"' tests/web/package-lock.json
	cd tests/web && npm ci --no-audit --no-fund
	cd tests/web && TEXTTOXML_CLI=$(abspath $(BUILD))/src/cli/texttoxml \
	  TEXTTOXML_PAGE=$(abspath $(BUILD_WEB))/texttoxml.html node --test
