#!/bin/sh
# The zip that scripts/package makes of the 32-bit Windows programs: exactly
# the two programs, unchanged, and LEEME.TXT at its top; LEEME.TXT in code
# page 1252 with CR LF line ends, the text of packaging/LEEME.TXT.
#
#   packaging_zip_test.sh SOURCE_DIR WINDOW_PROGRAM CLI_PROGRAM WORK_DIR
set -eu
LC_ALL=C  # LEEME.TXT is code page 1252, not the locale's text
export LC_ALL
source_dir="$1" window="$2" cli="$3" work="$4"
rm -rf "$work"
mkdir -p "$work/programs"
cp "$window" "$cli" "$work/programs/"
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

archive=$("$source_dir/scripts/package" zip "$work/programs" "$work")
[ "$(basename "$archive")" = TransHoraventTEBA-1.4-win32.zip ] || fail "zip named $archive"
listing=$(unzip -Z1 "$archive" | tr '\n' ' ')
[ "$listing" = "LEEME.TXT TransHoraventTEBA.exe transhoraventteba-cli.exe " ] || fail "the zip holds: $listing"
for program in "$window" "$cli"; do
  unzip -p "$archive" "$(basename "$program")" | cmp - "$program" || fail "$(basename "$program") changed"
done

unzip -p "$archive" LEEME.TXT >"$work/LEEME.TXT"
# Every line ends in CR LF, no CR stands elsewhere, and the text reads back
# from code page 1252 as the source (which has accented letters).
lines=$(wc -l <"$work/LEEME.TXT")
if [ "$(grep -c "$(printf '\r')\$" "$work/LEEME.TXT")" -ne "$lines" ] ||
  [ "$(tr -cd '\r' <"$work/LEEME.TXT" | wc -c)" -ne "$lines" ]; then fail "LEEME.TXT: not CR LF throughout"; fi
tr -d '\r' <"$work/LEEME.TXT" | iconv -f CP1252 -t UTF-8 | cmp - "$source_dir/packaging/LEEME.TXT" ||
  fail "LEEME.TXT does not read back from code page 1252 as packaging/LEEME.TXT"
grep -q 'VirtualStore' "$work/LEEME.TXT" || fail "LEEME.TXT does not name the virtual store"

[ "$failures" -eq 0 ] || exit 1
echo "$archive holds the two programs and LEEME.TXT"
