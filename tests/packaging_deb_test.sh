#!/bin/sh
# The Debian package that scripts/package builds from this build, unpacked
# into a throwaway root: its control fields, its files, its desktop entry
# and icons, and both programs started from there, the window program by the
# desktop entry's command on an X server of its own.
#
#   packaging_deb_test.sh SOURCE_DIR BUILD_DIR WORK_DIR
set -eu
source_dir="$1" build_dir="$2" work="$3"
rm -rf "$work"
mkdir -p "$work"
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
expect() { [ "$2" = "$3" ] || fail "$1: got '$2', expected '$3'"; }  # WHAT ACTUAL EXPECTED

deb=$("$source_dir/scripts/package" deb "$build_dir" "$work")
# Named after its Package, Version and Architecture fields.
expect "package file" "$(basename "$deb")" "transhoraventteba_1.4_$(dpkg --print-architecture).deb"
# Depends comes from the libraries the programs link, Qt 6 Widgets among them.
depends=$(dpkg-deb -f "$deb" Depends)
case ", $depends," in *", libqt6widgets6 ("*", libx11-6,"*) ;; *) fail "Depends: $depends" ;; esac

dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sort >"$work/files"
sizes="16 32 48 64 128 256"
{
  echo ./usr/bin/TransHoraventTEBA
  echo ./usr/bin/transhoraventteba-cli
  echo ./usr/share/applications/transhoraventteba.desktop
  echo ./usr/share/doc/transhoraventteba/README.md
  for size in $sizes; do echo "./usr/share/icons/hicolor/${size}x$size/apps/transhoraventteba.png"; done
  echo ./usr/share/icons/hicolor/scalable/apps/transhoraventteba.svg
} | sort >"$work/expected-files"
diff "$work/expected-files" "$work/files" >&2 || fail "the package's files differ (above)"

root="$work/root"
dpkg -x "$deb" "$root"
entry="$root/usr/share/applications/transhoraventteba.desktop"
desktop-file-validate "$entry" >&2 || fail "desktop-file-validate rejects the entry"
field() { sed -n "s/^$1=//p" "$entry"; }
expect Name "$(field Name)" TransHoraventTEBA
expect Comment "$(field Comment)" "Exportar e importar datos entre Horavent y TEBA"
# The entry's icon in every size of the hicolor theme, a PNG of that size.
icon=$(field Icon)
for size in $sizes; do
  png="$root/usr/share/icons/hicolor/${size}x$size/apps/$icon.png"
  header=$(od -A n -t x1 -N 24 "$png" | tr -d ' \n')
  expect "$icon.png ${size}x$size" "$header" "$(printf '89504e470d0a1a0a0000000d49484452%08x%08x' "$size" "$size")"
done

# The programs as installed: found on the PATH, as the desktop entry's
# command is.
PATH="$root/usr/bin:$PATH"
export PATH
help=$(transhoraventteba-cli --help) || fail "transhoraventteba-cli --help failed"
case "$help" in *export*import*) ;; *) fail "transhoraventteba-cli --help says: $help" ;; esac
command=$(field Exec)
case "$(command -v "${command%% *}")" in
  "$root"/usr/bin/*) ;;
  *) fail "the entry's command '$command' is not a program of the package" ;;
esac
# shellcheck disable=SC2016
xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" sh -c '
  $0 & program=$!
  for attempt in $(seq 1 100); do
    if xwininfo -root -tree | grep -q "\"Exportar e importar datos entre Horavent y TEBA\""; then
      kill $program; exit 0
    fi
    kill -0 $program 2>/dev/null || exit 1
    sleep 0.1
  done
  kill $program; exit 1' "$command" 2>/dev/null || fail "the entry's command showed no window within 10 s"

[ "$failures" -eq 0 ] || exit 1
echo "the package $deb holds what it should and its programs start"
