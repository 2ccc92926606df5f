#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The Quillby developers
# `make install` puts the Debian package's files under the prefix (less Debian's own, the
# program in BINDIR, nothing compressed), and the menu entry starts the installed program.
#
#     tests/packaging/install_tree_test.sh BUILD_DIR PREFIX BINDIR
set -euo pipefail
build=$1 prefix=$2 bindir=$3
[[ $bindir == /* ]] || bindir=$prefix/$bindir
here=$(dirname "$0")
work=$(mktemp -d /tmp/quillby-install-XXXXXX)
trap 'rm -rf "$work"' EXIT
stage=$work/root

DESTDIR=$stage cmake --install "$build" >/dev/null
(cd "$stage" && find . -type f -o -type l) | sed 's|^\.||' | sort >"$work/found"
grep -v -e '^#' -e ' debian$' "$here/expected_contents.txt" |
  sed -e "s|^/usr/games/|$bindir/|;t" -e 's|\.gz$||' -e "s|^/usr/|$prefix/|" | sort >"$work/expected"
diff -u "$work/expected" "$work/found" || { echo "FAILED: make install differs from the package" >&2; exit 1; }

grep -qx "Exec=$bindir/quillby" "$stage$prefix/share/applications/quillby.desktop" ||
  { echo "FAILED: the menu entry does not start $bindir/quillby" >&2; exit 1; }
version=$("$stage$bindir/quillby" --version)
[[ $version =~ ^quillby\ [0-9.]+$ ]] || { echo "FAILED: the installed program says '$version'" >&2; exit 1; }
