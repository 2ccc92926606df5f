#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The Quillby developers
# Impatient launches of quillby.exe under Wine on Xvfb, several times (which copy comes first is a
# race): 10 launches at once leave exactly one window, and the other 9 end with exit code 0
# within 2 s of its appearing.
#
#   tests/platform/hosts/win32/launch_storm.sh path/to/quillby.exe [TRIES]
# Exits 77 (skipped) where Xvfb, xdotool or Wine is missing.
set -euo pipefail
exe=$(realpath "$1")
root=$(cd "$(dirname "$0")/../../../.." && pwd)
wine_run="$root/scripts/wine-run.sh"
source "$root/tests/support/x11.sh"
source "$root/tests/support/storm.sh"
need_x
[ -x /usr/lib/wine/wine64 ] || command -v wine64 >/dev/null || skip "Wine is missing"

work=$(mktemp -d /tmp/quillby-wine-storm-XXXXXX)
pids=()
finish() {
  exec 2>/dev/null
  # The prefix's Wine server would keep this display, which is going: the next run starts afresh.
  "$wine_run" --stop || true
  kill "${pids[@]}" || true
  wait || true
  rm -rf "$work"
}
trap finish EXIT
"$wine_run" --stop
start_xvfb
launcher=("$wine_run" "$exe" --scale 1)
# The prefix is made, and Wine's server started, before the storm: a first start's minute of
# setting up is not what a double-click meets.
"$wine_run" "$exe" --version >/dev/null 2>&1 || true

storms 10 "${2:-3}"
echo "10 launches at once under Wine:"
printf '  %s\n' "${summary[@]}"
[ ${#failures[@]} = 0 ] || fail "$(printf '%s\n' "${failures[@]}")"
