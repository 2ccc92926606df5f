#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The Quillby developers
# The desktop window under Xvfb: at scale 2 it shows what the headless run shows for the same
# taps and start tick, a second launch leaves one window and says it brought the first forward,
# and the close button exits with 0.
# Exits 77 (skipped) where Xvfb, xdotool or ImageMagick is missing.
set -euo pipefail
exe=$(realpath "$1")
source "$(dirname "$0")/../../../support/x11.sh"
need_x import convert compare

work=$(mktemp -d /tmp/quillby-e2e-XXXXXX)
pids=()
trap 'kill "${pids[@]}" 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$work"' EXIT
start_xvfb
export XDG_RUNTIME_DIR="$work/runtime" SDL_AUDIODRIVER=dummy
mkdir -m 700 "$XDG_RUNTIME_DIR"  # this run meets only itself, never a family's real game

taps=("120 160" "75 20")  # the title screen, then the quiz switch
printf '%s\n' "400 shot title" "500 down ${taps[0]}" "550 up ${taps[0]}" "2000 down ${taps[1]}" "2050 up ${taps[1]}" \
  "5000 shot quiz" "5100 close" >"$work/taps.txt"
"$exe" --headless --start-tick 1234 --script "$work/taps.txt" --shots "$work" >/dev/null ||
  fail "the headless run failed"
[ "$(differ "$work/title.png" "$work/quiz.png")" != 0 ] || fail "the headless taps did not leave the title screen"

"$exe" --scale 2 --start-tick 1234 2>"$work/desktop.err" &
game=$!
pids+=("$game")
window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Quillby$' | head -1) ||
  fail "no window named Quillby appeared: $(cat "$work/desktop.err")"
sleep 1
tap ${taps[0]}
sleep 1.5
tap ${taps[1]}
sleep 3  # past every animation: the round now waits for a tap

shot_halved "$work/halved.png"
differ=$(differ "$work/halved.png" "$work/quiz.png")
[ "$differ" = 0 ] || { cp "$work/halved.png" "$work/quiz.png" /tmp/ 2>/dev/null
  fail "the halved window differs from the headless shot in $differ pixels (see /tmp/halved.png, /tmp/quiz.png)"; }

timeout 10 "$exe" 2>"$work/second.err" || fail "the second launch failed: $(cat "$work/second.err")"
count=$(xdotool search --name '^Quillby$' | wc -l)
[ "$count" = 1 ] || fail "$count windows named Quillby after a second launch"
[ "$(cat "$work/second.err")" = "quillby: Quillby is already running; bringing it to the front" ] ||
  fail "the second launch said '$(cat "$work/second.err")', not that it brought the first forward"

tap 227 13  # the close button
await_end "$game" 50 || fail "the game was still running 5 s after its close button"
[ "$code" = 0 ] || fail "the game ended with exit code $code: $(cat "$work/desktop.err")"
echo "the window matched the headless run, a second launch left one window, close exited 0"
