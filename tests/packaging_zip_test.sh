#!/bin/sh
# The zip that scripts/package makes of the 32-bit Windows programs: exactly
# the two programs, unchanged, and LEEME.TXT at its top; LEEME.TXT in code
# page 1252 with CR LF line ends, the text of packaging/LEEME.TXT.
#
#   packaging_zip_test.sh SOURCE_DIR WINDOW_PROGRAM CLI_PROGRAM WORK_DIR
set -eu
LC_ALL=C  # the greps below look for code page 1252 bytes
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
# Every line ends in CR LF, and no CR stands elsewhere.
lines=$(wc -l <"$work/LEEME.TXT")
crlf=$(grep -c "$(printf '\r')\$" "$work/LEEME.TXT" || true)
crs=$(tr -cd '\r' <"$work/LEEME.TXT" | wc -c)
[ "$lines" -gt 0 ] && [ "$crlf" -eq "$lines" ] && [ "$crs" -eq "$lines" ] ||
  fail "LEEME.TXT: $lines lines, $crlf end in CR LF, $crs CRs"
# The accented letters as code page 1252 bytes: "línea" and "Instalación".
grep -q "$(printf 'l\355nea')" "$work/LEEME.TXT" || fail "LEEME.TXT lacks 'línea' in code page 1252"
grep -q "$(printf 'Instalaci\363n')" "$work/LEEME.TXT" || fail "LEEME.TXT lacks 'Instalación' in code page 1252"
tr -d '\r' <"$work/LEEME.TXT" | iconv -f CP1252 -t UTF-8 | cmp - "$source_dir/packaging/LEEME.TXT" ||
  fail "LEEME.TXT does not read back as packaging/LEEME.TXT"
grep -q 'VirtualStore' "$work/LEEME.TXT" || fail "LEEME.TXT does not name the virtual store"

[ "$failures" -eq 0 ] || exit 1
echo "$archive holds the two programs and LEEME.TXT"
