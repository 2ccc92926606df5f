#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The Quillby developers
# Impatient launches of quillby.exe under Wine on Xvfb, several times (which copy comes first is a
# race):
#  1. 10 launches at once leave exactly one window, and the other 9 end with exit code 0 within
#     2 s of its appearing;
#  2. beside a copy that holds the session's first place as the program does but never shows its
#     window (silent_first_copy.exe), suspended or hanging, 5 launches at once: exactly one
#     window, whose launch says that the running copy does not answer, near the quiet limit of
#     5 s (between 4 and 12 s after the launches, however busy the machine); the other 4 end with
#     exit code 0.
#
#   tests/platform/hosts/win32/launch_storm.sh path/to/quillby.exe path/to/silent_first_copy.exe
#       [TRIES] [TRIES_BESIDE_A_SILENT_COPY]
# Exits 77 (skipped) where Xvfb, xdotool or Wine is missing.
set -euo pipefail
exe=$(realpath "$1")
silent=$(realpath "$2")
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

storms 10 "${3:-3}"
echo "10 launches at once under Wine:"
printf '  %s\n' "${summary[@]}"

summary=()
for try in $(seq "${4:-1}"); do for kind in suspended hanging; do
  dir="$work/$kind$try"
  mkdir "$dir"
  launcher=("$wine_run" "$silent")
  launch "$dir" first
  launcher=("$wine_run" "$exe" --scale 1)
  for _ in $(seq 300); do grep -qs holding "$dir/first.err" && break; sleep 0.1; done
  grep -qs holding "$dir/first.err" || fail "the silent copy held nothing within 30 s: $(cat "$dir/first.err")"
  # Wine runs the program in the process it was started as. One that hangs sleeps for ever.
  [ "$kind" = hanging ] || kill -STOP "$(cat "$dir/first.pid")"
  start=$(now_ms)
  for i in $(seq 5); do launch "$dir" "$i"; done
  opened=$(await_windows 600 1) || {
    failures+=("beside a $kind copy, try $try: no window within 30 s: $(sort -u "$dir"/*.err | tr '\n' ' ')")
    end_storm "$dir"
    continue
  }
  settle "$dir" 2
  count=$(windows)
  zero=$(endings "$dir" 0 | grep -c '^0 ' || true)
  said=$(grep -l 'does not answer; opening another' "$dir"/*.err | wc -l)
  after=$((opened - start))
  summary+=("beside a $kind copy: $count window(s), $after ms after the launches; $zero exits with 0")
  [ "$count" = 1 ] && [ "$zero" = 4 ] && [ "$said" = 1 ] ||
    failures+=("beside a $kind copy, try $try: $count windows, $zero of 4 exits with code 0, $said launches said the copy did not answer: $(sort -u "$dir"/*.err | tr '\n' ' ')")
  [ "$after" -ge 4000 ] && [ "$after" -le 12000 ] ||
    failures+=("beside a $kind copy, try $try: the window showed $after ms after the launches, not near the quiet limit of 5 s")
  end_storm "$dir"
done; done
echo "5 launches at once under Wine beside a copy that showed no window:"
printf '  %s\n' "${summary[@]}"
[ ${#failures[@]} = 0 ] || fail "$(printf '%s\n' "${failures[@]}")"
