#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The Quillby developers
# The voice's budgets and what a person hears of it; the figures go to docs/performance.md.
#
# - Sizes: the clips in all (budget 1 MB), quillby.exe stripped (2 MB), the page gzipped
#   without ?speak (600 KB) and with it (1.3 MB).
# - The desktop game with --speak under Xvfb, its sound written by SDL's disk audio driver,
#   which writes exactly what a device would play: a card after the title, a card after the next
#   arrow, and a quiz round answered wrong and then right. Each sound's start, how long after the
#   one before, its level, and whether anything played over another (bench/voice_stream.py);
#   the budget from the end of the click to the first sample of the voice is 30 ms.
#
#   bench/measure_voice.sh [RUNS]    (after cmake --build --preset default, make web and
#                                     make windows; what is not built is left out)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-3}
exe=build/default/shell/quillby
[ -x "$exe" ] || { echo "measure_voice: $exe is missing (cmake --build --preset default)" >&2; exit 2; }
for tool in Xvfb xdotool sox /usr/bin/python3; do
  command -v "$tool" >/dev/null || { echo "measure_voice: $tool is needed" >&2; exit 2; }
done
work=$(mktemp -d /tmp/quillby-voice-XXXXXX)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

kib() { echo "$(($1 / 1024)) KiB"; }
echo "quillby $("$exe" --version | cut -d' ' -f2) on $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"
echo "clips: $(ls resources/voice/*.wav | wc -l) files, $(kib "$(cat resources/voice/*.wav | wc -c)") (budget 1 MB)"
if [ -f build/windows/quillby.exe ]; then
  echo "quillby.exe: $(kib "$(stat -c %s build/windows/quillby.exe)") (budget 2 MB)"
fi
if [ -f build/web/voice.bin ]; then
  gz() { gzip -9 -c "$1" | wc -c; }
  page=0
  for f in build/web/*; do [ "${f##*/}" = voice.bin ] || page=$((page + $(gz "$f"))); done
  voice=$(gz build/web/voice.bin)
  echo "page, gzip -9: without ?speak $(kib $page) (budget 600 KB);" \
    "voice.bin $(kib "$(stat -c %s build/web/voice.bin)"), $(kib "$voice") gzipped;" \
    "with ?speak $(kib $((page + voice))) (budget 1.3 MB)"
fi

source tests/support/x11.sh  # start_xvfb, tap
start_xvfb
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/stream.raw"

# One run of the taps in $1 (lines "SECONDS X Y": wait, then tap), start tick 2026. The device
# writes its file anew each time it opens (after the game rested), so the file is kept before
# each tap and at the end: stretch N is what was heard between tap N and the next.
play() {
  local window game n=0
  rm -f "$work"/stretch-*.raw "$work/stream.raw"
  "$exe" --speak --scale 2 --start-tick 2026 2>/dev/null &
  game=$!
  pids+=("$game")
  window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Quillby$' | head -1)
  while read -r wait x y; do
    sleep "$wait"
    [ $n -gt 0 ] && cp "$work/stream.raw" "$work/stretch-$n.raw"
    n=$((n + 1))
    tap "$x" "$y"
  done <<<"$1"
  sleep 3
  cp "$work/stream.raw" "$work/stretch-$n.raw"
  kill "$game"
  wait "$game" 2>/dev/null || true
}

# The headless log of stretch N of the same taps: the sounds from tap N to the next.
stretch_log() {
  local script=$1 n=$2 t=500 i=0 from=0 to=999999999
  : >"$work/taps.txt"
  while read -r wait x y; do
    i=$((i + 1))
    t=$((t + ${wait%.*} * 1000))
    [ $i -eq "$n" ] && from=$t
    [ $i -eq $((n + 1)) ] && to=$t
    printf '%d down %d %d\n%d up %d %d\n' "$t" "$x" "$y" $((t + 20)) "$x" "$y" >>"$work/taps.txt"
  done <<<"$script"
  "$exe" --headless --speak --start-tick 2026 --script "$work/taps.txt" --until $((t + 4000)) |
    awk -v from="$from" -v to="$to" '$2 == "sound" && $1 >= from && $1 < to'
}

cards='2 120 150
4 170 282'
quiz='2 120 150
2 75 20
3 180 60
3 180 260'
for run in $(seq "$runs"); do
  for session in cards quiz; do
    taps=${!session}
    play "$taps"
    stretches=$(ls "$work"/stretch-*.raw | wc -l)
    for n in $(seq "$stretches"); do
      stretch_log "$taps" "$n" >"$work/log"
      echo "run $run, $session, after tap $n:"
      /usr/bin/python3 bench/voice_stream.py "$work/stretch-$n.raw" "$work/log" resources/resources.rc |
        sed 's/^/  /'
    done
  done
done
