#!/usr/bin/env bash
# Builds zlib, libjpeg-turbo, libtiff, expat and libzip for the browser page
# with Debian's emscripten, from Debian's own source packages (`apt-get
# source`; run `scripts/install-deps.sh --web` first for the deb-src entry).
# Everything stays inside DIR: the sources in DIR/src, the static libraries,
# headers and pkg-config files in DIR/prefix. Each library leaves a mark in
# DIR/prefix once installed and is not built again while the mark is there,
# so a DIR made before a library joined this list gets that library on the
# next run; delete DIR to start over.
#
#   scripts/build-web-deps.sh DIR
set -euo pipefail
dir=$(realpath -m "${1:?usage: build-web-deps.sh DIR}")
prefix=$dir/prefix
jobs=${JOBS:-2}
export NODE_PATH=/usr/share/nodejs  # Debian's emscripten finds acorn there

mkdir -p "$dir/src" "$prefix"

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

# build PACKAGE[/FOLDER] CMAKE_OPTION...: configures, builds and installs one
# library, whose CMake project is the source package's FOLDER (its top by
# default).
# Configure checks run their test programs under Node.js. emcmake would add
# `--experimental-wasm-threads`, an option newer Node.js refuses, and
# emscripten 3.1.6 loads its .wasm with fetch() wherever fetch() exists,
# which fails on a file name; either way every type size would read wrong.
# So the toolchain file is named directly, with node told to go without fetch().
build() {
  local package=${1%%/*} folder=
  if [[ $1 == */* ]]; then folder=/${1#*/}; fi
  shift
  local from
  from=$(source "$package")$folder
  cmake -S "$from" -B "$dir/build/$package" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$(em-config EMSCRIPTEN_ROOT)/cmake/Modules/Platform/Emscripten.cmake" \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$(command -v node);--no-experimental-fetch" \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_PREFIX_PATH="$prefix" \
    -DCMAKE_FIND_ROOT_PATH="$prefix" -DBUILD_SHARED_LIBS=OFF "$@" >/dev/null
  cmake --build "$dir/build/$package" -j "$jobs" >/dev/null
  cmake --install "$dir/build/$package" >/dev/null
  echo "build-web-deps: $package built"
}

# Debian's security fixes to expat test `#if XML_DTD == 1`, while the CMake
# template of expat_config.h defines XML_DTD with no value, which fails to
# compile (Debian itself builds with autotools, which write 1). The template
# is made to write 1; DTD support stays on, as in Debian's own library.
build_expat() {
  sed -i 's/^#cmakedefine XML_DTD$/#cmakedefine XML_DTD 1/' "$(source expat)/expat/expat_config.h.cmake"
  build expat/expat -DEXPAT_SHARED_LIBS=OFF -DEXPAT_BUILD_TOOLS=OFF -DEXPAT_BUILD_EXAMPLES=OFF \
    -DEXPAT_BUILD_TESTS=OFF -DEXPAT_BUILD_DOCS=OFF -DEXPAT_BUILD_PKGCONFIG=ON
}

# libzip with zlib alone: no bzip2, LZMA, zstd or encryption (a .docx uses
# only deflate). Emscripten replaces CMake's check_type_size with one that
# runs a program and takes its exit status for the size, so a Node.js that
# cannot run it passes its own status off as the size, with no error (7,
# where node is not told to go without fetch()). libzip's ZIP_OFF_MAX and
# SIZE_MAX stand on the sizes of off_t and size_t, so those two are given,
# as the toolchain file gives its own: wasm32, with a 64-bit off_t.
build_libzip() {
  build libzip -DHAVE_SIZEOF_OFF_T=TRUE -DSIZEOF_OFF_T=8 -DHAVE_SIZEOF_SIZE_T=TRUE -DSIZEOF_SIZE_T=4 \
    -DENABLE_BZIP2=OFF -DENABLE_LZMA=OFF -DENABLE_ZSTD=OFF -DENABLE_COMMONCRYPTO=OFF \
    -DENABLE_GNUTLS=OFF -DENABLE_MBEDTLS=OFF -DENABLE_OPENSSL=OFF -DENABLE_WINDOWS_CRYPTO=OFF \
    -DBUILD_TOOLS=OFF -DBUILD_REGRESS=OFF -DBUILD_EXAMPLES=OFF -DBUILD_DOC=OFF
}

# once NAME COMMAND...: runs COMMAND unless the prefix holds NAME's mark.
once() {
  local mark=$prefix/.built-$1
  shift
  if [ ! -f "$mark" ]; then
    "$@"
    touch "$mark"
  fi
}

once zlib build_zlib
once libjpeg-turbo build libjpeg-turbo -DWITH_SIMD=OFF -DENABLE_SHARED=OFF -DWITH_TURBOJPEG=OFF
once tiff build tiff -Dtiff-tools=OFF -Dtiff-tests=OFF -Dtiff-contrib=OFF -Dtiff-docs=OFF -Dcxx=OFF \
  -Dzlib=ON -Djpeg=ON -Dlzma=OFF -Dzstd=OFF -Dwebp=OFF -Djbig=OFF -Dlerc=OFF \
  -Dlibdeflate=OFF -Dpixarlog=ON -Dold-jpeg=ON -Djpeg12=OFF
once expat build_expat
once libzip build_libzip
echo "build-web-deps: $prefix is complete"
