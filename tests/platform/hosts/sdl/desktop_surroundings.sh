#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The Quillby developers
# The desktop game when the world around it misbehaves, under Xvfb:
#  1. the display goes away (20 tries, four at a time): each copy ends, with exit code 1 and
#     one line on stderr, its single-instance socket gone; a new launch then opens its window.
#     How soon it ends (well within a second) is the machine's, and reported: one still running
#     10 s later has not seen its display go;
#  2. one copy per display: a copy on another display does not stop a launch on this one.
# (A copy that stopped answering: launch_storm.sh.)
# Exits 77 (skipped) where Xvfb or xdotool is missing or Xvfb cannot start.
set -euo pipefail
exe=$(realpath "$1")
source "$(dirname "$0")/../../../support/x11.sh"
need_x

work=$(mktemp -d /tmp/quillby-surroundings-XXXXXX)
cleanup() {
  local pid
  exec 2>/dev/null  # the shell's notes on the copies it kills here
  for pid in $(cat "$work"/*.pid 2>/dev/null); do kill -CONT "$pid" 2>/dev/null || true; kill -9 "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
# Every copy meets only the others of this run, never a family's real game.
export XDG_RUNTIME_DIR="$work/runtime" SDL_AUDIODRIVER=dummy
mkdir -m 700 "$XDG_RUNTIME_DIR"

# Starts an Xvfb of its own for $1 (a name); prints its display, ":N". The number is chosen at
# random among high ones, away from the low numbers other programs' servers take and leave:
# a server ending as another starts on its number could remove the newcomer's socket. It never
# resets: a server that resets as its last client leaves refuses the next one meanwhile.
start_x() {
  local n _
  for _ in $(seq 10); do
    n=$((1000 + RANDOM % 9000))
    rm -f "$work/$1.display"
    # Its output goes nowhere: this runs inside $(...), which would wait for it to end.
    Xvfb ":$n" -displayfd 3 -screen 0 800x600x24 -nolisten tcp -noreset 3>"$work/$1.display" >/dev/null 2>&1 &
    echo $! >"$work/$1.x.pid"
    for _ in $(seq 100); do
      [ -s "$work/$1.display" ] && { echo ":$n"; return 0; }
      kill -0 "$(cat "$work/$1.x.pid")" 2>/dev/null || break  # the number is taken: another
      sleep 0.05
    done
  done
  return 1
}
# Ends the Xvfb of $1 and waits for it to be gone: one ending as another starts could remove
# the newcomer's socket along with its own.
stop_x() {
  local pid _
  pid=$(cat "$work/$1.x.pid")
  kill "$pid" 2>/dev/null || true
  for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || return 0; sleep 0.02; done
}
# Launches the game on display $1 for $2 (a name), its stderr in $work/$2.err.
launch() {
  DISPLAY=$1 "$exe" --scale 1 2>"$work/$2.err" &
  echo $! >"$work/$2.pid"
}
# The number of visible Quillby windows on display $1.
windows() { DISPLAY=$1 xdotool search --onlyvisible --name '^Quillby$' 2>/dev/null | wc -l; }
# Waits up to $2 tenths of a second for $3 windows on display $1.
await_windows() {
  local _
  for _ in $(seq "$2"); do [ "$(windows "$1")" -ge "$3" ] && return 0; sleep 0.1; done
  return 1
}
# 1. The display goes away, at a different moment of each try.
display_lost_try() {
  local n=$1 display game ended code
  display=$(start_x "lost$n") || { echo "skip" >"$work/lost$n.result"; return; }
  launch "$display" "game$n"
  game=$(cat "$work/game$n.pid")
  await_windows "$display" 100 1 || { echo "no window: $(cat "$work/game$n.err")" >"$work/lost$n.result"; return; }
  sleep "0.$((RANDOM % 9))"
  local start=$EPOCHREALTIME
  kill "$(cat "$work/lost$n.x.pid")"
  for _ in $(seq 500); do kill -0 "$game" 2>/dev/null || break; sleep 0.02; done
  ended=$(awk -v a="$start" -v b="$EPOCHREALTIME" 'BEGIN { printf "%d", (b - a) * 1000 }')
  if kill -0 "$game" 2>/dev/null; then
    echo "still running 10 s after its display went, $(awk '{print $14 + $15}' "/proc/$game/stat") ticks of processor" >"$work/lost$n.result"
    return
  fi
  code=0
  wait "$game" || code=$?
  local said
  said=$(cat "$work/game$n.err")
  if [ "$code" != 1 ]; then echo "exit code $code: $said" >"$work/lost$n.result"
  elif [ "$(wc -l <"$work/game$n.err")" != 1 ] || [[ "$said" != "quillby: no display ("*"); ending" ]]; then
    echo "said: $said" >"$work/lost$n.result"
  elif [ -e "$XDG_RUNTIME_DIR/quillby-x11-$display.sock" ]; then echo "left its socket" >"$work/lost$n.result"
  else echo "ok $ended" >"$work/lost$n.result"
  fi
}
for batch in 0 1 2 3 4; do
  for i in 0 1 2 3; do { display_lost_try $((batch * 4 + i)); stop_x "lost$((batch * 4 + i))"; } & done
  wait
done
slowest=0
for n in $(seq 0 19); do
  result=$(cat "$work/lost$n.result")
  [ "$result" = skip ] && skip "Xvfb did not start"
  [[ "$result" == ok* ]] || fail "display lost, try $((n + 1)) of 20: $result"
  [ "${result#ok }" -gt "$slowest" ] && slowest=${result#ok }
done
leftover=$(find "$XDG_RUNTIME_DIR" -type s)
[ -z "$leftover" ] || fail "sockets left behind: $leftover"
display=$(start_x after) || skip "Xvfb did not start"
launch "$display" after
await_windows "$display" 100 1 || fail "no window after the displays went: $(cat "$work/after.err")"
echo "20 lost displays: each copy ended with exit code 1 and one line, the slowest $slowest ms after its display; a new launch opened its window"

# 2. One copy per display.
other=$(start_x other) || skip "a second Xvfb did not start"
launch "$other" there
await_windows "$other" 100 1 || fail "a copy on $display kept a launch on $other from opening: $(cat "$work/there.err")"
launch "$display" again
await_end "$(cat "$work/again.pid")" 30 || fail "a second launch on $display did not end"
[ "$code" = 0 ] && [ "$(windows "$display")" = 1 ] ||
  fail "a second launch on $display: exit $code, $(windows "$display") windows"
echo "one copy per display: a launch on $other opened its window beside the copy on $display"
