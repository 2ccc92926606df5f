#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The Quillby developers
# What the desktop game costs while a child looks at it: processor time while the title waits
# and while a letter card is shown, how late the loop looks at the queue (and so how late a
# timed redraw or an animation step can be), time to the first frame, peak memory and the
# program's size. Runs the real window under Xvfb; the figures go to docs/performance.md.
#
#   bench/measure_desktop.sh [path/to/quillby]     (default: build/default/shell/quillby)
#
# QUILLBY_MEASURE_SECONDS sets the length of each measured stretch (default 10).
set -euo pipefail

exe=$(realpath "${1:-build/default/shell/quillby}")
seconds=${QUILLBY_MEASURE_SECONDS:-10}
for tool in Xvfb xdotool /usr/bin/time; do
  command -v "$tool" >/dev/null || { echo "measure_desktop: $tool is needed" >&2; exit 2; }
done

work=$(mktemp -d /tmp/quillby-measure-XXXXXX)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
DISPLAY=":$(cat "$work/display")"
export DISPLAY
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
hz=$(getconf CLK_TCK)

cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }

# Processor use of process $1 over the next $seconds seconds, in % of one core.
cpu_percent() {
  local before after
  before=$(cpu_ticks "$1")
  sleep "$seconds"
  after=$(cpu_ticks "$1")
  awk -v t=$((after - before)) -v hz="$hz" -v s="$seconds" 'BEGIN {printf "%.2f", 100 * t / hz / s}'
}

# One run: the title waits, a tap opens the first letter card, which waits; then the quiz, whose
# first round for this start tick is V, is answered with the van, which sparkles; the close
# button ends the game. $1 names the run; the rest of the arguments are its environment.
measure() {
  local name=$1
  shift
  local launched window game
  launched=$(date +%s.%N)
  env "$@" QUILLBY_DESKTOP_STATS="$work/stats" /usr/bin/time -f "%M %e %U %S" -o "$work/time" \
    "$exe" --scale 2 --start-tick 1234 2>"$work/stderr" &
  game=$!
  pids+=("$game")
  window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Quillby$' | head -1)
  local pid
  pid=$(pgrep -P "$game" -x quillby)
  sleep 2
  local title card
  title=$(cpu_percent "$pid")
  xdotool mousemove --window "$window" 241 321 click 1
  sleep 2
  card=$(cpu_percent "$pid")
  xdotool mousemove --window "$window" 151 41 click 1
  sleep 1
  xdotool mousemove --window "$window" 357 531 click 1
  sleep 3
  xdotool mousemove --window "$window" 455 27 click 1
  wait "$game"
  read -r rss _ _ _ <"$work/time"
  awk -v name="$name" -v title="$title" -v card="$card" -v rss="$rss" -v launched="$launched" '
    $1 == "first_frame_wall_s" { first = ($2 - launched) * 1000 }
    $1 == "looks" { looks = $2 }
    $1 == "renders" { renders = $2 }
    $1 == "max_gap_ms" { max = $2 }
    $1 == "frame_ticks" {
      # The sparkle steps every 250 ms (255 ms apart in a headless run, whose clock moves
      # only as the loop looks): the frames between 200 and 400 ms apart are its steps.
      for (i = 3; i <= NF; i++) {
        d = $i - $(i - 1)
        if (d >= 200 && d <= 400) { steps++; if (!lo || d < lo) lo = d; if (d > hi) hi = d }
      }
    }
    $1 == "gap_histogram_ms" {
      for (i = 2; i <= NF; i++) { count[i - 2] = $i; total += $i }
      seen = 0
      for (ms = 0; ms < NF - 1; ms++) {
        seen += count[ms]
        if (!p99 && seen >= 0.99 * total) p99 = ms + 1
        if (!p999 && seen >= 0.999 * total) p999 = ms + 1
      }
    }
    END {
      printf "%s:\n", name
      printf "  processor, title waiting   %5s %% of one core\n", title
      printf "  processor, card shown      %5s %% of one core\n", card
      printf "  first frame                %5.0f ms after launch\n", first
      printf "  peak resident memory       %5.1f MB\n", rss / 1024
      printf "  loop                       %d looks, %d frames; gap between looks p99 < %d ms, " \
        "p99.9 < %d ms, max %.1f ms\n", looks, renders, p99, p999, max
      printf "  sparkle                    %d steps %d..%d ms apart (headless: 255)\n", steps, lo, hi
    }' "$work/stats"
}

echo "quillby $("$exe" --version | cut -d' ' -f2) on $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg);" \
  "${seconds} s per stretch, Xvfb, scale 2"
# No driver of that name: as on a machine without sound, the game plays silently.
measure "no audio device" SDL_AUDIODRIVER=none
measure "audio device (dummy)" SDL_AUDIODRIVER=dummy
size=$(stat -c %s "$exe")
strip -o "$work/stripped" "$exe"
echo "executable: $((size / 1024)) KiB as built, $(($(stat -c %s "$work/stripped") / 1024)) KiB stripped"
