#!/usr/bin/env bash
# Brings po/ru.po up to date with the messages in the code: every string
# given to Tr or TrN is a message. New messages arrive untranslated, and
# messages the code no longer has are dropped.
#
# A message may hold UTF-8 ("→"), which xgettext warns of; its warnings are
# shown only when it fails.
#
# `update-catalogue.sh --check` changes nothing: it fails when the code has
# a message that po/ru.po lacks or leaves untranslated or fuzzy, or when
# po/ru.po holds a message the code no longer has.
set -euo pipefail
cd "$(dirname "$0")/.."

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

git ls-files 'src/*.cpp' 'src/*.h' 2>/dev/null >"$work/sources" ||
  find src -name '*.cpp' -o -name '*.h' | sort >"$work/sources"
xgettext --language=C++ --from-code=UTF-8 --keyword= --keyword=Tr --keyword=TrN:1,2 --keyword=TrLater \
  --no-location --no-wrap --sort-output --files-from="$work/sources" \
  --output="$work/messages.pot" 2>"$work/xgettext.log" || { cat "$work/xgettext.log" >&2; exit 1; }
msgmerge --quiet --no-wrap --no-fuzzy-matching --sort-output --no-location \
  po/ru.po "$work/messages.pot" --output-file="$work/ru.po"
msgattrib --no-obsolete --no-wrap --sort-output "$work/ru.po" --output-file="$work/ru.po"

if [ "${1:-}" != "--check" ]; then
  cp "$work/ru.po" po/ru.po
  msgfmt --statistics --output-file=/dev/null po/ru.po
  exit 0
fi

status=0
# The date the messages were gathered is no difference.
undated() { grep -v '^"POT-Creation-Date: ' "$1"; }
if ! diff -u <(undated po/ru.po) <(undated "$work/ru.po") >"$work/diff"; then
  echo "update-catalogue: po/ru.po does not match the code's messages; run scripts/update-catalogue.sh" >&2
  cat "$work/diff" >&2
  status=1
fi
statistics=$(msgfmt --statistics --output-file=/dev/null po/ru.po 2>&1)
if grep -qE 'fuzzy|untranslated' <<<"$statistics"; then
  echo "update-catalogue: po/ru.po is not wholly translated: $statistics" >&2
  status=1
fi
exit $status
