#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The Quillby developers
# What the desktop game costs while a child looks at it: processor time and wake-ups (of every
# thread) while the title waits and while a letter card is shown, how late the loop looks at
# the queue while something moves (and so how late a timed redraw or an animation step can be), time to the first frame, peak memory and the
# program's size. Runs the real window under Xvfb; the figures go to docs/performance.md.
#
#   bench/measure_desktop.sh [path/to/quillby_measured]
#
# The default, build/default/bench/quillby_measured, is the shipped program with its loop timed
# (bench/measuring_backend.h); the size reported is the shipped program's, shell/quillby beside.
#
# QUILLBY_MEASURE_SECONDS sets the length of each measured stretch (default 10).
set -euo pipefail

exe=${1:-build/default/bench/quillby_measured}
shipped=$(dirname "$exe")/../shell/quillby
for program in "$exe" "$shipped"; do
  [ -x "$program" ] || { echo "measure_desktop: $program is missing (cmake --build --preset default)" >&2; exit 2; }
done
exe=$(realpath "$exe")
shipped=$(realpath "$shipped")
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

source "$(dirname "$0")/../tests/support/x11.sh"  # start_xvfb: an Xvfb of our own
start_xvfb
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
hz=$(getconf CLK_TCK)

cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }

# Every thread of process $1: its id, name and voluntary context switches (each one a wake-up
# after the thread slept), one line each.
thread_switches() {
  local task
  for task in /proc/"$1"/task/*; do
    awk -v tid="${task##*/}" '$1 == "Name:" { name = $2 } $1 == "voluntary_ctxt_switches:" { n = $2 }
      END { print tid, name, n }' "$task/status" 2>/dev/null || true
  done
}

# Processor use of process $1 over the next $seconds seconds, in % of one core, then its
# wake-ups a second over all its threads and, in brackets, by thread name. A thread that ends
# within the stretch takes its count with it; one that starts counts from zero.
cpu_and_wakeups() {
  local before after
  thread_switches "$1" >"$work/switches.before"
  before=$(cpu_ticks "$1")
  sleep "$seconds"
  after=$(cpu_ticks "$1")
  thread_switches "$1" >"$work/switches.after"
  awk -v t=$((after - before)) -v hz="$hz" -v s="$seconds" '
    FNR == NR { was[$1] = $3; next }
    { n = $3 - was[$1]; total += n; byName[$2] += n }
    END {
      printf "%5.2f %% of one core, %6.1f wake-ups/s (", 100 * t / hz / s, total / s
      sep = ""
      for (name in byName) { printf "%s%s %.1f", sep, name, byName[name] / s; sep = ", " }
      printf ")"
    }' "$work/switches.before" "$work/switches.after"
}

# One run: the title waits, a tap opens the first letter card, which waits; then the quiz, whose
# first round for this start tick is V, is answered with the van, which sparkles; the close
# button ends the game. $1 names the run, $2 holds the game's own further options (the voice's
# --speak: once a card's letter and word are said it must rest as still as without); the rest of
# the arguments are its environment.
measure() {
  local name=$1 options=$2
  shift 2
  local launched window game
  launched=$(date +%s.%N)
  env "$@" QUILLBY_DESKTOP_STATS="$work/stats" /usr/bin/time -f "%M %e %U %S" -o "$work/time" \
    "$exe" --scale 2 --start-tick 1234 $options 2>"$work/stderr" &
  game=$!
  pids+=("$game")
  window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Quillby$' | head -1)
  local pid
  pid=$(pgrep -P "$game")
  sleep 2
  local title card
  title=$(cpu_and_wakeups "$pid")
  xdotool mousemove --window "$window" 241 321 click 1
  sleep 2
  card=$(cpu_and_wakeups "$pid")
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
    $1 == "resting_looks" { resting = $2 }
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
      printf "  title waiting              %s\n", title
      printf "  card shown                 %s\n", card
      printf "  first frame                %5.0f ms after launch\n", first
      printf "  peak resident memory       %5.1f MB\n", rss / 1024
      printf "  loop                       %d looks (%d at rest), %d frames; gap between looks " \
        "while moving p99 < %d ms, p99.9 < %d ms, max %.1f ms\n", looks, resting, renders, p99,
        p999, max
      printf "  sparkle                    %d steps %d..%d ms apart (headless: 255)\n", steps, lo, hi
    }' "$work/stats"
}

echo "quillby $("$shipped" --version | cut -d' ' -f2) on $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg);" \
  "${seconds} s per stretch, Xvfb, scale 2"
# No driver of that name: as on a machine without sound, the game plays silently.
measure "no audio device" "" SDL_AUDIODRIVER=none
measure "audio device (dummy)" "" SDL_AUDIODRIVER=dummy
measure "audio device (dummy), with the voice" --speak SDL_AUDIODRIVER=dummy
size=$(stat -c %s "$shipped")
strip -o "$work/stripped" "$shipped"
echo "executable: $((size / 1024)) KiB as built, $(($(stat -c %s "$work/stripped") / 1024)) KiB stripped"
