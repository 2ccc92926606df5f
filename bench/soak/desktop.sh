#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The Quillby developers
# The desktop window under Xvfb, tapped at random 5 to 10 times a second for a quarter of an hour
# (with the dummy sound device, so that every sound is mixed), after a tour of every screen.
# Holds when its resident memory after the first minute stays within 1 MB (its highest in the last third of the run within
# 256 KB of its highest in the first), when at every minute a tap on the mode box changes
# what the window shows (it never stops repainting), and when the close button ends the game
# with exit code 0. Prints every reading; exits 77 (skipped) without Xvfb, xdotool or
# ImageMagick.
#
#   bench/soak/desktop.sh [--seconds N] [path/to/quillby]     (default: 900 s, build/default/shell/quillby)
#
# A short run checks every third of its length instead of every minute. QUILLBY_SOAK_SEED
# chooses the taps; QUILLBY_SOAK_KEEP=DIR keeps the readings and screenshots there.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/tests/support/x11.sh"
source "$root/bench/soak/real_taps.sh"
soak_length 900 "$@"
exe=$(realpath "${rest[0]:-$root/build/default/shell/quillby}")
[ -x "$exe" ] || { echo "soak: $exe is missing (make build)" >&2; exit 2; }
need_x import convert compare
seed=${QUILLBY_SOAK_SEED:-$RANDOM}
kib_allowed=1024
rise_allowed=256

work=$(mktemp -d /tmp/quillby-soak-desktop-XXXXXX)
pids=()
finish() {
  kill "${pids[@]}" 2>/dev/null || true
  wait 2>/dev/null || true
  [ -z "${QUILLBY_SOAK_KEEP:-}" ] || cp -r "$work" "$QUILLBY_SOAK_KEEP"
  rm -rf "$work"
}
trap finish EXIT
start_xvfb
export XDG_RUNTIME_DIR="$work/runtime" SDL_AUDIODRIVER=dummy
mkdir -m 700 "$XDG_RUNTIME_DIR"

"$exe" --scale 2 2>"$work/game.err" &
game=$!
watched=$game
pids+=("$game")
window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Quillby$' | head -1) ||
  fail "no window named Quillby appeared: $(cat "$work/game.err")"
echo "desktop soak: $length s of taps, checks every $every s, seed $seed, on $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"
sleep 1
tour
started=$SECONDS

# Every check: the window is photographed; a tap on the mode box must then show something else
# within 10 s.
check=0
while [ $((SECONDS - started)) -lt "$length" ]; do
  play_until_check ": $(cat "$work/game.err")"
  at=$((SECONDS - started))
  shot_halved "$work/check$check.png"
  since_last=-
  [ "$check" -gt 1 ] && since_last=$(differ "$work/check$check.png" "$work/check$((check - 1)).png")
  tap 75 20
  changed=0
  for _ in $(seq 20); do
    sleep 0.5
    shot_halved "$work/toggled.png"
    changed=$(differ "$work/toggled.png" "$work/check$check.png")
    [ "$changed" != 0 ] && break
  done
  echo "  ${at} s: $taps taps ($(tap_rate) a second), resident $(resident_kib "$game") KiB;" \
    "$since_last pixels changed since the last check; the mode box changed $changed"
  [ "$changed" != 0 ] || fail "the window showed the same picture for 10 s after a tap on the mode box"
done

memory_flat "$first_check" "$kib_allowed" "$rise_allowed"
sleep 2.5
tap 227 13  # the close button
await_end "$game" 100 || fail "the game was still running 10 s after its close button"
[ "$code" = 0 ] || fail "the game ended with exit code $code: $(cat "$work/game.err")"
echo "held: $taps taps ($(tap_rate) a second while tapping) in $((SECONDS - started)) s; the close button ended the game with exit code 0"
