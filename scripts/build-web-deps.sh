#!/usr/bin/env bash
# Builds zlib, libjpeg-turbo and libtiff for the browser page with Debian's
# emscripten, from Debian's own source packages (`apt-get source`; run
# `scripts/install-deps.sh --web` first for the deb-src entry). Everything
# stays inside DIR: the sources in DIR/src, the static libraries and headers
# in DIR/prefix. A finished build is kept; delete DIR to start over.
#
#   scripts/build-web-deps.sh DIR
set -euo pipefail
dir=$(realpath -m "${1:?usage: build-web-deps.sh DIR}")
prefix=$dir/prefix
jobs=${JOBS:-2}
export NODE_PATH=/usr/share/nodejs  # Debian's emscripten finds acorn there

if [ -f "$prefix/.complete" ]; then
  echo "build-web-deps: $prefix is complete"
  exit 0
fi
mkdir -p "$dir/src"

# source PACKAGE: the folder of the unpacked, patched source package.
source() {
  local package=$1
  local found
  found=$(find "$dir/src" -maxdepth 1 -type d -name "$package-[0-9]*" | head -n 1)
  if [ -z "$found" ]; then
    (cd "$dir/src" && apt-get source -qq "$package" >/dev/null)
    found=$(find "$dir/src" -maxdepth 1 -type d -name "$package-[0-9]*" | head -n 1)
  fi
  echo "$found"
}

# Debian's zlib source lacks the Windows resources its CMake file names, so
# zlib is built with its own configure script, in its source folder.
build_zlib() {
  local from
  from=$(source zlib)
  (cd "$from" && emconfigure ./configure --static --prefix="$prefix" >/dev/null &&
    emmake make -j "$jobs" libz.a >/dev/null && emmake make install >/dev/null)
  echo "build-web-deps: zlib built"
}

# build PACKAGE CMAKE_OPTION...: configures, builds and installs one library.
# Configure checks run their test programs under Node.js. emcmake would add
# `--experimental-wasm-threads`, an option newer Node.js refuses, and
# emscripten 3.1.6 loads its .wasm with fetch() wherever fetch() exists,
# which fails on a file name; either way every type size would read wrong.
# So the toolchain file is named directly, with node told to go without fetch().
build() {
  local package=$1
  shift
  local from
  from=$(source "$package")
  cmake -S "$from" -B "$dir/build/$package" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$(em-config EMSCRIPTEN_ROOT)/cmake/Modules/Platform/Emscripten.cmake" \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$(command -v node);--no-experimental-fetch" \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_PREFIX_PATH="$prefix" \
    -DCMAKE_FIND_ROOT_PATH="$prefix" -DBUILD_SHARED_LIBS=OFF "$@" >/dev/null
  cmake --build "$dir/build/$package" -j "$jobs" >/dev/null
  cmake --install "$dir/build/$package" >/dev/null
  echo "build-web-deps: $package built"
}

build_zlib
build libjpeg-turbo -DWITH_SIMD=OFF -DENABLE_SHARED=OFF -DWITH_TURBOJPEG=OFF
build tiff -Dtiff-tools=OFF -Dtiff-tests=OFF -Dtiff-contrib=OFF -Dtiff-docs=OFF -Dcxx=OFF \
  -Dzlib=ON -Djpeg=ON -Dlzma=OFF -Dzstd=OFF -Dwebp=OFF -Djbig=OFF -Dlerc=OFF \
  -Dlibdeflate=OFF -Dpixarlog=ON -Dold-jpeg=ON -Djpeg12=OFF
touch "$prefix/.complete"
