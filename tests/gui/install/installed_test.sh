#!/usr/bin/env bash
# The Debian package, unpacked with dpkg-deb into a temporary root, checked as a user's desktop
# would see it once installed.
#   installed_test.sh PACKAGE_FOLDER program   the package's fields and files; the installed
#                                              program runs and finds its language files
#   installed_test.sh PACKAGE_FOLDER desktop   the menu entry passes desktop-file-validate
#   installed_test.sh PACKAGE_FOLDER metainfo  the AppStream file passes appstreamcli validate
set -uo pipefail
folder=$1
check=$2
root=$(mktemp -d)
trap 'rm -rf "$root" 2>/dev/null || { sleep 1; rm -rf "$root"; }' EXIT
. "$(dirname "$0")/startbriefly.sh"

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
finish() {
  if [ "$failures" -gt 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
  fi
  echo "$check: all checks passed"
  exit 0
}

package=$(ls -t "$folder"/tarnwick_*.deb 2>/dev/null | head -n 1)
[ -n "$package" ] || { echo "FAIL: no package in $folder" >&2; exit 1; }
installed=$root/installed
dpkg-deb -x "$package" "$installed" || { echo "FAIL: dpkg-deb cannot unpack $package" >&2; exit 1; }
usr=$installed/usr

case "$check" in
desktop)
  desktop-file-validate "$usr/share/applications/tarnwick.desktop" || fail "desktop-file-validate"
  grep -qx 'Exec=tarnwick' "$usr/share/applications/tarnwick.desktop" || fail "the entry does not start tarnwick"
  grep -qx 'Icon=tarnwick' "$usr/share/applications/tarnwick.desktop" || fail "the entry does not name the icon"
  finish
  ;;
metainfo)
  appstreamcli validate --no-net "$usr/share/metainfo/com.brisvanesoftware.tarnwick.metainfo.xml" ||
    fail "appstreamcli validate"
  finish
  ;;
program) ;;
*)
  echo "unknown check $check" >&2
  exit 2
  ;;
esac

for field in Maintainer Description; do
  [ -n "$(dpkg-deb -f "$package" "$field")" ] || fail "the package has no $field"
done
depends=$(dpkg-deb -f "$package" Depends)
for dependency in libqt6webenginewidgets6 libqt6widgets6 libcurl4 xdg-utils; do
  grep -q "\b$dependency\b" <<<"$depends" || fail "the package does not depend on $dependency: $depends"
done

for file in bin/tarnwick share/applications/tarnwick.desktop share/icons/hicolor/scalable/apps/tarnwick.svg \
  share/metainfo/com.brisvanesoftware.tarnwick.metainfo.xml share/tarnwick/languages/en.dat \
  share/tarnwick/languages/fr.dat share/tarnwick/languages/es.dat share/tarnwick/languages/it.dat; do
  [ -f "$usr/$file" ] || fail "the package has no /usr/$file"
done
[ ! -e "$usr/bin/languages" ] || fail "language files beside the installed executable"
[ ! -e "$usr/bin/tarnwick-sample-site" ] || fail "the package carries the sample site"

version=$(in_world "$usr/bin/tarnwick" --version)
status=$?
[ "$status" = 0 ] || fail "--version exited with $status"
[ "$version" = "Tarnwick 3.12" ] || fail "--version printed '$version'"
# Without the sample site beside it there is no demo.
if (in_world "$usr/bin/tarnwick" --help) | grep -q -- --demo; then
  fail "--help offers --demo without a sample site"
fi

# The program reports language files it cannot find; installed, it finds them in share/tarnwick.
if start_briefly "$root/installed" engine_started "$usr/bin/tarnwick"; then
  ! grep -q "no language files" "$root/installed.stderr" ||
    fail "the installed program does not find its language files: $(cat "$root/installed.stderr")"
else
  fail "the installed program did not start"
fi
rm -rf "$usr/share/tarnwick/languages"
if start_briefly "$root/missing" engine_started "$usr/bin/tarnwick"; then
  grep -q "no language files" "$root/missing.stderr" || fail "missing language files went unreported"
else
  fail "the installed program did not start without its language files"
fi
finish
