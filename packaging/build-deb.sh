#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The Quillby developers
# Builds the Debian package with Debian's own tools (dpkg-buildpackage, debhelper) from an
# export of the tree under build/deb, so that nothing is written outside build/, and copies
# the package and its -dbgsym companion to build/.
set -euo pipefail
cd "$(dirname "$0")/.."

version=$(dpkg-parsechangelog -l packaging/debian/changelog -S Version)
arch=$(dpkg --print-architecture)
work=build/deb
src=$work/quillby-${version%-*}
log=$work/build.log

rm -rf "$work"
mkdir -p "$src"
# The tree as it stands, uncommitted changes included, without build output or git's data.
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  git ls-files -z --cached --others --exclude-standard |
    while IFS= read -r -d '' f; do [ -e "$f" ] && printf '%s\0' "$f"; done |
    tar -cf - --null -T - | tar -xf - -C "$src"
else
  tar -cf - --exclude=./build --exclude=./.git . | tar -xf - -C "$src"
fi
cp -r packaging/debian "$src/debian"
packaging/debian_copyright.py "$src" >"$src/debian/copyright"

echo "Building the Debian package (log: $log)"
if ! (cd "$src" && dpkg-buildpackage --build=binary --no-sign -j"${JOBS:-2}") >"$log" 2>&1; then
  tail -n 30 "$log" >&2
  echo "make deb: dpkg-buildpackage failed; the whole log is in $log" >&2
  exit 1
fi
for package in quillby quillby-dbgsym; do
  cp "$work/${package}_${version}_${arch}.deb" build/
done
echo "build/quillby_${version}_${arch}.deb (and build/quillby-dbgsym_${version}_${arch}.deb)"
