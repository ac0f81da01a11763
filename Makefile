# Everyday commands. `make demo` and `make test` work on a fresh Debian
# machine: they install what is missing first.
BUILD      ?= build
BUILD_ASAN ?= build-asan
JOBS       ?= $(shell nproc)
CMAKE_ARGS ?=

.PHONY: deps build test test-plain test-asan demo gui bench fuzz clean

deps:
	./scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTEXTTOXML_WERROR=ON $(CMAKE_ARGS)
	cmake --build $(BUILD) -j $(JOBS)

# Every test twice: a normal build with warnings as errors, then a build
# under AddressSanitizer and UndefinedBehaviorSanitizer.
test: test-plain test-asan

test-plain: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

test-asan: deps
	cmake -S . -B $(BUILD_ASAN) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTEXTTOXML_WERROR=ON \
	  -DTEXTTOXML_SANITIZE=ON -DTEXTTOXML_BENCH=OFF $(CMAKE_ARGS)
	cmake --build $(BUILD_ASAN) -j $(JOBS)
	cd $(BUILD_ASAN) && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 \
	  UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

demo: build
	cd examples && ../$(BUILD)/src/cli/texttoxml convert sample.txt -o ../$(BUILD)/sample.xml
	@echo "Converted examples/sample.txt to $(BUILD)/sample.xml"

gui: build
	./$(BUILD)/src/app/qt/texttoxml-gui

bench: deps
	./bench/compare.sh

clean:
	rm -rf $(BUILD) $(BUILD_ASAN)
