# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The Quillby developers
# What the soaks of the real windows share, sourced after tests/support/x11.sh: a child's random
# taps on the game's $window, shown at scale 2, 5 to 10 a second, never on the close button; the
# soak's length and the times of its checks from the command line; and memory readings.

# Reads `--seconds N` (default $1) into `length`; the checks come every `every` seconds, a
# minute in a full run and a third of a short one, and the first of them ends the warm-up.
soak_length() {
  length=$1
  shift
  while [ $# -gt 0 ]; do
    case $1 in
      --seconds) length=$2; shift 2 ;;
      *) break ;;
    esac
  done
  [[ $length =~ ^[0-9]+$ ]] && [ "$length" -ge 6 ] || { echo "soak: --seconds takes 6 or more" >&2; exit 2; }
  every=$((length / 3 < 60 ? length / 3 : 60))
  rest=("$@")
}

# The arguments of one xdotool call that taps for about $1 seconds from seed $2: mostly where
# the quiz's pictures and the arrows are, now and then the mode box, else anywhere. Each press
# is held 20 to 60 ms and comes 100 to 200 ms after the last, of which xdotool's own work takes
# $3 ms. (xdotool's `click` would wait a tenth of a second after each.)
random_taps() {
  awk -v seconds="$1" -v seed="$2" -v busy="$3" -v window="$window" 'BEGIN {
    srand(seed)
    split("174 31 209 52 174 268 209 289 61 268 96 289", pictures)
    for (t = 0; t < seconds; t += gap) {
      roll = rand() * 100
      if (roll < 66) { k = int(rand() * 3) * 4; l = pictures[k + 1]; u = pictures[k + 2]; r = pictures[k + 3]; b = pictures[k + 4] }
      else if (roll < 78) { l = rand() < 0.5 ? 40 : 140; u = 260; r = l + 59; b = 304 }
      else if (roll < 80) { l = 45; u = 10; r = 104; b = 29 }
      else { l = 0; u = 0; r = 239; b = 319 }
      do { x = l + int(rand() * (r - l + 1)); y = u + int(rand() * (b - u + 1)) }
      while (x >= 215 && x <= 238 && y >= 1 && y <= 24)  # the close button
      gap = 0.1 + rand() * 0.1
      held = 0.02 + rand() * 0.04
      pause = gap - held - busy / 1000
      printf "mousemove --window %s %d %d mousedown 1 sleep %.3f mouseup 1 sleep %.3f ", window,
        x * 2 + 1, y * 2 + 1, held, (pause > 0.005 ? pause : 0.005)
      taps++
    }
    print taps > "/dev/stderr"
  }'
}

# Shows the game everything once before the readings count, so that what it loads or sets up
# on first use (the game screen, the quiz, a reward and its sounds, the arrows) is in place:
# the title, the quiz, its three places in turn (one is right: the sparkle and a new round),
# the letter cards and both arrows.
tour() {
  local place
  tap 120 150
  sleep 1.5
  tap 75 20
  sleep 1
  for place in "190 40" "190 278" "78 278"; do
    # shellcheck disable=SC2086  # x and y
    tap $place
    sleep 0.5
  done
  sleep 2.5
  tap 75 20
  sleep 1
  tap 170 282
  sleep 0.5
  tap 70 282
  sleep 0.5
}

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# Taps for $1 seconds in calls of two seconds at most; adds the taps to `taps`, and how long
# they took to `tapping_ms`. On a busy machine xdotool's own work delays each tap: what it took
# in the last call is left out of the next call's pauses. After each call the resident memory of
# process $watched goes to $work/memory as "SECONDS KIB" (seconds since $started).
taps=0
tapping_ms=0
busy_ms=0
play_for() {
  local end=$(($(now_ms) + $1 * 1000)) batch args began took planned
  while batch=$(((end - $(now_ms) + 999) / 1000)); [ "$batch" -gt 0 ]; do
    batch=$((batch < 2 ? batch : 2))
    args=$(random_taps "$batch" "$((seed + taps))" "$busy_ms" 2>"$work/batch")
    began=$(now_ms)
    # shellcheck disable=SC2086  # the arguments are words
    xdotool $args || fail "xdotool could not tap the window"
    took=$(($(now_ms) - began))
    planned=$(echo "$args" | awk '{ for (i = 1; i <= NF; i++) if ($i == "sleep") ms += $(i + 1) * 1000 } END { printf "%d", ms }')
    busy_ms=$((((took - planned) / $(cat "$work/batch") + busy_ms) / 2))
    busy_ms=$((busy_ms < 0 ? 0 : busy_ms))
    taps=$((taps + $(cat "$work/batch")))
    tapping_ms=$((tapping_ms + took))
    echo "$((SECONDS - started)) $(resident_kib "$watched")" >>"$work/memory"
  done
}

# Plays until the next check is due, then lets any reward end (a sparkle and its round take
# 2.1 s) and counts the check; a game that has gone ends the soak, saying $1.
play_until_check() {
  play_for $((every < length - (SECONDS - started) ? every : length - (SECONDS - started)))
  sleep 2.5
  kill -0 "$watched" 2>/dev/null || fail "the game ended by itself after $taps taps$1"
  check=$((check + 1))
  [ "$check" -gt 1 ] || first_check=$((SECONDS - started))
}

# Taps a second so far.
tap_rate() { awk -v n="$taps" -v ms="$tapping_ms" 'BEGIN { printf "%.1f", ms ? n * 1000 / ms : 0 }'; }

# Resident memory of process $1 in KiB.
resident_kib() { awk '$1 == "VmRSS:" { print $2 }' "/proc/$1/status"; }

# Whether the memory readings ($work/memory, "SECONDS KIB" a line) taken from second $1 on stay
# within $2 KiB of each other, and the highest of their last third within $3 KiB of the highest
# of their first: memory that settles stays level, a leak lifts the last third.
memory_flat() {
  local lowest highest first last
  sort -n "$work/memory" | awk -v from="$1" '$1 >= from { n++; kib[n] = $2 } END {
    lowest = highest = kib[1]
    for (i = 1; i <= n; i++) {
      if (kib[i] < lowest) lowest = kib[i]
      if (kib[i] > highest) highest = kib[i]
      if (3 * i <= n + 2 && kib[i] > first) first = kib[i]
      if (3 * i > 2 * n && kib[i] > last) last = kib[i]
    }
    print lowest, highest, first, last }' >"$work/spread"
  read -r lowest highest first last <"$work/spread"
  echo "resident memory from $1 s on: $lowest to $highest KiB (a spread of $((highest - lowest)) KiB, at most $2" \
    "allowed); highest in its first third $first KiB, in its last $last KiB (at most $3 higher allowed)"
  [ $((highest - lowest)) -le "$2" ] || fail "resident memory spread over $((highest - lowest)) KiB"
  [ $((last - first)) -le "$3" ] || fail "resident memory rose by $((last - first)) KiB from the first third to the last"
}
