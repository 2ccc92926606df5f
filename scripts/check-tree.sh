#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The Quillby developers
# Checks that hold for the whole tree: every C++ file is formatted by the committed
# .clang-format, and every file states its licence and copyright (REUSE).
set -euo pipefail
cd "$(dirname "$0")/.."

status=0
mapfile -t sources < <(git ls-files --cached --others --exclude-standard '*.cpp' '*.h' | while read -r f; do [ -f "$f" ] && echo "$f"; done)
unformatted=()
for f in "${sources[@]}"; do
  clang-format --dry-run --Werror "$f" >/dev/null 2>&1 || unformatted+=("$f")
done
if [ ${#unformatted[@]} -gt 0 ]; then
  echo "Not formatted (run: clang-format -i ${unformatted[*]}):" >&2
  printf '  %s\n' "${unformatted[@]}" >&2
  status=1
fi
if ! reuse lint >/tmp/quillby-reuse.$$ 2>&1; then
  echo "REUSE: some files lack licence or copyright information:" >&2
  sed -n '/^# MISSING/,/^# SUMMARY/p' /tmp/quillby-reuse.$$ >&2
  status=1
fi
rm -f /tmp/quillby-reuse.$$
exit $status
