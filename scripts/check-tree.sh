#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The Quillby developers
# Checks that hold for the whole tree: every C++ file is formatted by the committed
# .clang-format, and every file states its licence and copyright (REUSE). Only what git tracks
# (committed or added) is checked: a checkout's own files — a session script, a core file, an
# editor's backup — are nobody's business here.
set -euo pipefail
cd "$(dirname "$0")/.."

status=0
mapfile -t sources < <(git ls-files --cached '*.cpp' '*.h' | while read -r f; do [ -f "$f" ] && echo "$f"; done)
unformatted=()
for f in "${sources[@]}"; do
  clang-format --dry-run --Werror "$f" >/dev/null 2>&1 || unformatted+=("$f")
done
if [ ${#unformatted[@]} -gt 0 ]; then
  echo "Not formatted (run: clang-format -i ${unformatted[*]}):" >&2
  printf '  %s\n' "${unformatted[@]}" >&2
  status=1
fi
# reuse 1.1 lints every file that git does not ignore: it lints a copy of the tracked ones.
tracked=$(mktemp -d /tmp/quillby-tracked-XXXXXX)
trap 'rm -rf "$tracked"' EXIT
git ls-files -z --cached | while IFS= read -r -d '' f; do [ -f "$f" ] && printf '%s\0' "$f"; done |
  xargs -0 -r cp --parents -t "$tracked"
if ! reuse --root "$tracked" lint >"$tracked.out" 2>&1; then
  echo "REUSE: some files lack licence or copyright information:" >&2
  sed -n '/^# MISSING/,/^# SUMMARY/p' "$tracked.out" | sed "s|$tracked/||" >&2
  status=1
fi
rm -f "$tracked.out"
exit $status
