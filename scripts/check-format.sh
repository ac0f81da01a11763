#!/usr/bin/env bash
# Checks the C++ sources against .clang-format: prints each file that
# clang-format would change and exits 1 when there is any.
#
#   scripts/check-format.sh          (`make format-check`, run by CI)
#   scripts/check-format.sh --fix    formats those files in place (`make format`)
#
# The style's details change between clang-format releases, so Debian's
# clang-format 14 is used (CLANG_FORMAT=... names another). Only the
# project's own sources are looked at: the test data, the fuzz corpora and
# the pictures are files of other programs' making and are left as they are.
set -euo pipefail
cd "$(dirname "$0")/.."

fix=false
case "${1:-}" in
  --fix) fix=true ;;
  "") ;;
  *) echo "usage: scripts/check-format.sh [--fix]" >&2; exit 2 ;;
esac

clang_format=${CLANG_FORMAT:-$(command -v clang-format-14 || command -v clang-format || true)}
if [ -z "$clang_format" ]; then
  echo "check-format: clang-format is missing (scripts/install-deps.sh installs it)" >&2
  exit 2
fi

mapfile -t sources < <(git ls-files -- 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' \
  'bench/*.cpp' 'bench/*.h' 'fuzz/*.cpp' 'fuzz/*.h' |
  grep -v -E '^(tests/data|fuzz/corpus|fuzz/pictures)/' || true)
if [ ${#sources[@]} -eq 0 ]; then
  echo "check-format: no sources found (run inside the git work tree)" >&2
  exit 2
fi

# The files whose formatted text differs from what is on disk, two at a time.
mapfile -t unformatted < <(printf '%s\0' "${sources[@]}" |
  xargs -0 -P 2 -n 1 sh -c '"$0" --style=file "$1" | cmp -s - "$1" || echo "$1"' "$clang_format" |
  sort)

if [ ${#unformatted[@]} -eq 0 ]; then
  echo "check-format: ${#sources[@]} files formatted"
  exit 0
fi
if [ "$fix" = true ]; then
  "$clang_format" --style=file -i "${unformatted[@]}"
  printf 'check-format: formatted %s\n' "${unformatted[@]}"
  exit 0
fi
printf '%s\n' "${unformatted[@]}"
echo "check-format: ${#unformatted[@]} of ${#sources[@]} files are not formatted;" \
  "scripts/check-format.sh --fix (make format) formats them" >&2
exit 1
