#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The Quillby developers
# The Debian package as Debian's tools and a family's computer meet it: its control fields,
# lintian, the menu entry and the software-centre listing, exactly the expected files and no
# build paths, a manual page with every option of --help, and a program that, unpacked from
# the package, plays the title and a letter card.
#
#     tests/packaging/check_package.sh [build/quillby_VERSION_ARCH.deb]
set -uo pipefail
cd "$(dirname "$0")/../.."
here=tests/packaging
version=$(dpkg-parsechangelog -l packaging/debian/changelog -S Version)
deb=${1:-build/quillby_${version}_$(dpkg --print-architecture).deb}
dbgsym=${deb/quillby_/quillby-dbgsym_}
[ -f "$deb" ] || { echo "FAILED: no package at $deb (make deb builds it)" >&2; exit 1; }

failures=0
fail() { echo "FAILED: $*" >&2; failures=$((failures + 1)); }
work=$(mktemp -d "$PWD/build/deb-check.XXXXXX")
trap 'rm -rf "$work"' EXIT
root=$work/root
dpkg-deb -x "$deb" "$root"

# What apt and a software centre read from the control file.
control=$(dpkg-deb -f "$deb")
for expected in "Section: games" "Priority: optional" "Maintainer: The Quillby developers <" \
  "Version: $version"; do
  grep -q "^$expected" <<<"$control" || fail "the control file lacks '$expected'"
done
# Computed from the binary by dpkg-shlibdeps: the libraries with the versions the build needs.
depends=$(dpkg-deb -f "$deb" Depends)
for library in libsdl2-2.0-0 libfreetype6; do
  [[ $depends == *"$library (>= "* ]] || fail "Depends does not name $library with a version: $depends"
done

lintian --fail-on error,warning "$deb" "$dbgsym" >"$work/lintian" 2>&1 ||
  fail "lintian: $(grep -v 'running with root privileges' "$work/lintian")"

# Exactly the expected files: nothing under /usr/local, no build tree. (lintian has seen that
# the program is stripped; its symbols are in the -dbgsym package.)
dpkg-deb --fsys-tarfile "$deb" | tar -t | grep -v '/$' | sed 's|^\.||' | sort >"$work/contents"
grep -v '^#' "$here/expected_contents.txt" | cut -d' ' -f1 | sort >"$work/expected"
diff -u "$work/expected" "$work/contents" >&2 || fail "the package's files differ from $here/expected_contents.txt"
built_in=$(grep -rlF -e "$PWD/" "$root")
[ -z "$built_in" ] || fail "files name the build tree: $built_in"
grep -q '/usr/lib/debug/.build-id/.*\.debug$' <<<"$(dpkg-deb -c "$dbgsym")" ||
  fail "$dbgsym holds no debugging symbols"

# The menu entry and the listing, as the desktop and a software centre read them.
desktop=$root/usr/share/applications/quillby.desktop
complaints=$(desktop-file-validate "$desktop" 2>&1) && [ -z "$complaints" ] ||
  fail "desktop-file-validate: $complaints"
grep -qx 'Exec=/usr/games/quillby' "$desktop" || fail "the menu entry does not start /usr/games/quillby"
sed -n '/^\[Desktop Action speak\]$/,/^\[/p' "$desktop" | grep -qx 'Exec=/usr/games/quillby --speak' ||
  fail "the menu entry has no action that starts the game with its voice"
# Warnings fail it too, as errors do.
complaints=$(appstreamcli validate-tree --no-net "$root" 2>&1) || fail "appstreamcli: $complaints"
# The listing's release is this package's, on the day its changelog gives.
date=$(date -u -d "$(dpkg-parsechangelog -l packaging/debian/changelog -S Date)" +%F)
grep -q "<release version=\"${version%-*}\" date=\"$date\"" "$root"/usr/share/metainfo/*.xml ||
  fail "the metainfo has no release ${version%-*} dated $date"

# The manual page: the game's description and every option that --help lists.
page=$(MANWIDTH=80 man -l "$root/usr/share/man/man6/quillby.6.gz" 2>&1)
grep -q 'quillby - an alphabet game' <<<"$page" || fail "the manual page has no NAME line"
grep -q 'letter cards' <<<"$page" || fail "the manual page does not describe the game"
for option in $("$root/usr/games/quillby" --help | grep -o -- '--[a-z-]*' | sort -u); do
  grep -q -- "$option" <<<"$page" || fail "the manual page lacks $option"
done

# The unpacked program plays the title and a card: the golden screenshots, and the close button
# ends it with 0.
mkdir "$work/shots"
log=$("$root/usr/games/quillby" --headless --start-tick 2026 --script "$here/title_and_card.txt" \
  --shots "$work/shots" 2>&1) || fail "the unpacked program failed: $log"
for line in "0 sound 20006" "100 sound 20003" "400 exit 0"; do
  grep -qx "$line" <<<"$log" || fail "the unpacked program's log lacks '$line': $log"
done
for shot in title card; do
  /usr/bin/compare -metric AE "$work/shots/$shot.png" "tests/golden/$shot.png" null: 2>/dev/null ||
    fail "the unpacked program's $shot differs from tests/golden/$shot.png"
done

[ "$failures" -eq 0 ] || exit 1
echo "The Debian package $deb passed every check"
