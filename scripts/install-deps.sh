#!/usr/bin/env bash
# Installs the Debian packages that building, testing and the demo need.
# Idempotent: packages already installed are skipped, and apt is not touched
# at all when nothing is missing.
#
# `install-deps.sh --web` installs what the browser page needs instead
# (`make web`, `make test-web`): emscripten, the tools that fetch Debian's
# own sources of zlib, libjpeg-turbo, libtiff, expat and libzip, and
# Chromium with npm for the page's tests. It also adds a deb-src entry for
# the archive and suites the machine's apt sources already name, so that
# `apt-get source` works.
#
# `install-deps.sh --testdata` installs what remaking the Word documents of
# tests/data/docx needs (python-docx, lxml, Pillow and LibreOffice Writer);
# building and testing need none of it, since the documents are committed.
set -euo pipefail

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

packages=(
  build-essential cmake ninja-build pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  zlib1g-dev libjpeg-dev libtiff-dev libzip-dev libexpat1-dev
  libpng-dev libgif-dev python3-pil pngcheck imagemagick
  qt6-base-dev qt6-translations-l10n xvfb xauth fonts-dejavu-core fonts-wine
  clang libclang-rt-14-dev clang-format
  time gifsicle chromium gettext
)
web_packages=(emscripten dpkg-dev cmake ninja-build chromium gettext)
testdata_packages=(python3-docx python3-lxml python3-pil libreoffice-writer-nogui)
# A Node.js from elsewhere may bring its own npm, which Debian's would clash with.
if ! command -v npm >/dev/null; then web_packages+=(npm); fi

# The source entries mirror the binary ones of the main archive: same
# archive, suites and components, so the sources are those of the libraries
# the machine runs. The security archive keeps no sources, so it is left out.
# Returns 1 when the machine has source entries already.
add_source_entries() {
  if grep -rqs -e '^Types:.*deb-src' -e '^deb-src ' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    return 1
  fi
  if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    awk 'BEGIN { RS = ""; ORS = "\n\n" } !/-security/' /etc/apt/sources.list.d/debian.sources |
      sed 's/^Types: deb$/Types: deb-src/' |
      $SUDO tee /etc/apt/sources.list.d/texttoxml-deb-src.sources >/dev/null
  elif grep -qs '^deb ' /etc/apt/sources.list; then
    grep -v -- '-security' /etc/apt/sources.list | sed -n 's/^deb /deb-src /p' |
      $SUDO tee /etc/apt/sources.list.d/texttoxml-deb-src.list >/dev/null
  else
    echo "install-deps: no Debian apt source to mirror as deb-src" >&2
    exit 1
  fi
}

needs_update=false
case "${1:-}" in
  --web)
    packages=("${web_packages[@]}")
    if add_source_entries; then needs_update=true; fi
    ;;
  --testdata)
    packages=("${testdata_packages[@]}")
    ;;
esac

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -eq 0 ] && [ "$needs_update" = false ]; then
  echo "install-deps: all packages present"
  exit 0
fi

$SUDO apt-get update -qq
if [ ${#missing[@]} -gt 0 ]; then
  echo "install-deps: installing ${missing[*]}"
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
