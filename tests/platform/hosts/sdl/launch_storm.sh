#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The Quillby developers
# Impatient launches of the desktop game under Xvfb; each storm runs several times, since which
# copy comes first is a race:
#  1. 20 launches at once: exactly one window, and the other 19 end with exit code 0 within 2 s
#     of its appearing;
#  2. beside a copy that stopped answering (SIGSTOP), 5 launches at once: exactly one more window,
#     whose launch says that the running copy does not answer, near the quiet limit of 5 s (between
#     4 and 12 s after the launches, however busy the machine); the other 4 end with exit code 0.
#
#   tests/platform/hosts/sdl/launch_storm.sh path/to/quillby [TRIES] [TRIES_BESIDE_A_STOPPED_COPY]
# Exits 77 (skipped) where Xvfb or xdotool is missing.
set -euo pipefail
exe=$(realpath "$1")
source "$(dirname "$0")/../../../support/x11.sh"
source "$(dirname "$0")/../../../support/storm.sh"
need_x

work=$(mktemp -d /tmp/quillby-storm-XXXXXX)
pids=()
finish() {
  local pid
  exec 2>/dev/null  # the shell's notes on the copies it ends here
  for pid in $(cat /dev/null "$work"/*/*.pid); do kill -CONT "$pid" || true; kill -9 "$pid" || true; done
  kill "${pids[@]}" || true
  wait || true
  rm -rf "$work"
}
trap finish EXIT
start_xvfb
export XDG_RUNTIME_DIR="$work/runtime" SDL_AUDIODRIVER=dummy
mkdir -m 700 "$XDG_RUNTIME_DIR"  # these copies meet only each other, never a family's real game
launcher=("$exe" --scale 1)

storms 20 "${2:-4}"
echo "20 launches at once:"
printf '  %s\n' "${summary[@]}"

summary=()
for try in $(seq "${3:-2}"); do
  dir="$work/stopped$try"
  mkdir "$dir"
  launch "$dir" first
  await_windows 600 1 >/dev/null || fail "no first window within 30 s: $(cat "$dir/first.err")"
  kill -STOP "$(cat "$dir/first.pid")"
  start=$(now_ms)
  for i in $(seq 5); do launch "$dir" "$i"; done
  opened=$(await_windows 600 2) || {
    failures+=("beside a stopped copy, try $try: no second window within 30 s: $(sort -u "$dir"/*.err | tr '\n' ' ')")
    end_storm "$dir"
    continue
  }
  settle "$dir" 2
  count=$(windows)
  zero=$(endings "$dir" 0 | grep -c '^0 ' || true)
  said=$(grep -l 'does not answer; opening another' "$dir"/*.err | wc -l)
  after=$((opened - start))
  summary+=("$count windows, the new one $after ms after the launches; $zero exits with 0")
  [ "$count" = 2 ] && [ "$zero" = 4 ] && [ "$said" = 1 ] ||
    failures+=("beside a stopped copy, try $try: $count windows, $zero of 4 exits with code 0, $said launches said the copy did not answer: $(sort -u "$dir"/*.err | tr '\n' ' ')")
  [ "$after" -ge 4000 ] && [ "$after" -le 12000 ] ||
    failures+=("beside a stopped copy, try $try: the new window showed $after ms after the launches, not near the quiet limit of 5 s")
  end_storm "$dir"
done
echo "5 launches at once beside a stopped copy:"
printf '  %s\n' "${summary[@]}"

[ ${#failures[@]} = 0 ] || fail "$(printf '%s\n' "${failures[@]}")"
