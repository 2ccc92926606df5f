#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The Quillby developers
# What the Windows build costs under Wine: the sizes of quillby.exe and the installer, the time
# from launch to the first frame in the window, and processor time and wake-ups while the title
# waits (the game's own process, and the Wine server, which does much of a Windows program's
# work under Wine). Runs under Xvfb; the figures go to docs/performance.md.
#
#   bench/measure_windows.sh [build/windows]     (QUILLBY_MEASURE_SECONDS: default 10)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath "${1:-$root/build/windows}")
seconds=${QUILLBY_MEASURE_SECONDS:-10}
wine_run="$root/scripts/wine-run.sh"
for tool in Xvfb xdotool import; do
  command -v "$tool" >/dev/null || { echo "measure_windows: $tool is needed" >&2; exit 2; }
done

work=$(mktemp -d /tmp/quillby-measure-windows-XXXXXX)
pids=()
cleanup() {
  kill "${pids[@]}" 2>/dev/null || true
  "$wine_run" --stop || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
"$wine_run" --stop
source "$root/tests/support/x11.sh"  # start_xvfb: an Xvfb of our own
start_xvfb
hz=$(getconf CLK_TCK)
"$wine_run" cmd /c exit  # the Wine server and its desktop up, as on a running PC

ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
# Wake-ups after sleeping, over every thread of process $1.
wakeups() { cat /proc/"$1"/task/*/status 2>/dev/null | awk '/^voluntary_ctxt_switches/ {n += $2} END {print n}'; }
percent() { awk -v t="$1" -v hz="$hz" -v s="$seconds" 'BEGIN {printf "%.2f", 100 * t / hz / s}'; }
for run in 1 2 3; do
  rm -f "$work/stats"
  launched=$(date +%s.%N)
  QUILLBY_WINDOWS_STATS="$work/stats" "$wine_run" "$build/quillby.exe" --scale 2 >/dev/null 2>&1 &
  pids+=($!)
  window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Quillby$' | head -1)
  sleep 2
  first=$(awk -v a="$launched" '{printf "%.0f", ($2 - a) * 1000}' "$work/stats")
  game=$(pgrep -x quillby.exe | head -1)
  server=$(pgrep -x wineserver64 || pgrep -x wineserver | head -1)
  g0=$(ticks "$game") s0=$(ticks "$server") w0=$(wakeups "$game") v0=$(wakeups "$server")
  sleep "$seconds"
  g1=$(ticks "$game") s1=$(ticks "$server") w1=$(wakeups "$game") v1=$(wakeups "$server")
  echo "run $run: first frame ${first} ms after launch; while the title waits," \
    "the game $(percent $((g1 - g0))) % of one core and $(((w1 - w0) / seconds)) wake-ups a second," \
    "the Wine server $(percent $((s1 - s0))) % and $(((v1 - v0) / seconds))"
  kill "$game"  # the Wine server and its desktop stay, as on a running PC
  wait "${pids[-1]}" || true
  while xdotool search --name '^Quillby$' >/dev/null; do sleep 0.1; done
done
echo "quillby.exe $(($(stat -c %s "$build/quillby.exe") / 1024)) KiB;" \
  "QuillbySetup.exe $(($(stat -c %s "$build/QuillbySetup.exe") / 1024)) KiB"
