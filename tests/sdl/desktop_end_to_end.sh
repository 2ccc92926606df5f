#!/usr/bin/env bash
# The desktop window end to end, under Xvfb: the game opens titled "Quillby" at scale 2, takes
# clicks as the stylus, shows exactly what the headless run shows for the same taps and start
# tick, lets a second launch bring it forward instead of opening another window, and ends
# with exit code 0 from its own close button.
#
#   tests/sdl/desktop_end_to_end.sh path/to/quillby
#
# Exits 77 (skipped) where no X server can be started here.
set -euo pipefail

exe=$(realpath "$1")
skip() { echo "SKIPPED: $*"; exit 77; }
fail() { echo "FAILED: $*" >&2; exit 1; }

for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || skip "$tool is not installed (scripts/ensure-deps.sh test adds it)"
done
# ImageMagick's own programs, not a stand-in that may come first on PATH.
for tool in import convert compare; do
  [ -x "/usr/bin/$tool" ] || skip "ImageMagick's $tool is not installed (package imagemagick)"
done

work=$(mktemp -d /tmp/quillby-e2e-XXXXXX)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# A display of our own; Xvfb picks a free number and writes it to fd 3.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || skip "Xvfb did not start: $(tail -1 "$work/xvfb.log")"
DISPLAY=":$(cat "$work/display")"
export DISPLAY
# The instance socket of a family's real game is elsewhere: this run meets only itself.
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
export SDL_AUDIODRIVER=dummy

tick=1234
title=(120 160)  # anywhere on the title opens the game
switch=(75 20)   # the quiz switch
close=(227 13)   # the close button

# The headless reference: the same taps and start tick, a shot once the quiz round stands.
cat >"$work/taps.txt" <<SCRIPT
400 shot title
500 down ${title[0]} ${title[1]}
550 up ${title[0]} ${title[1]}
2000 down ${switch[0]} ${switch[1]}
2050 up ${switch[0]} ${switch[1]}
5000 shot quiz
5100 close
SCRIPT
"$exe" --headless --start-tick "$tick" --script "$work/taps.txt" --shots "$work" >"$work/headless.log" ||
  fail "the headless run failed: $(cat "$work/headless.log")"
# Guards the comparison below: the taps must have led somewhere.
same=$(compare -metric AE "$work/title.png" "$work/quiz.png" null: 2>&1 || true)
[ "$same" != 0 ] || fail "the headless taps did not leave the title screen"

"$exe" --scale 2 --start-tick "$tick" 2>"$work/desktop.err" &
game=$!
pids+=("$game")

window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Quillby$' | head -1) ||
  fail "no window named Quillby appeared: $(cat "$work/desktop.err")"
read -r width height < <(xdotool getwindowgeometry "$window" |
  sed -n 's/.*Geometry: \([0-9]*\)x\([0-9]*\).*/\1 \2/p')
if [ "$width" != 480 ] || [ "$height" != 640 ]; then
  fail "the window is ${width}x$height, not 480x640"
fi

# Taps at display positions: window pixels are twice as many.
tap() {
  xdotool mousemove --window "$window" $(($1 * 2 + 1)) $(($2 * 2 + 1)) click 1
}
sleep 1
tap "${title[@]}"
sleep 1.5
tap "${switch[@]}"
sleep 3  # past every animation: the round now waits for a tap

import -window "$window" "$work/window.png"
convert "$work/window.png" -sample 50% -depth 8 "$work/halved.png"
differ=$(compare -metric AE "$work/halved.png" "$work/quiz.png" null: 2>&1 || true)
if [ -n "${QUILLBY_E2E_SHOTS:-}" ]; then cp "$work/window.png" "$work/quiz.png" "$QUILLBY_E2E_SHOTS/"; fi
[ "$differ" = 0 ] || {
  cp "$work/halved.png" /tmp/quillby-e2e-desktop.png
  cp "$work/quiz.png" /tmp/quillby-e2e-headless.png
  fail "the window differs from the headless shot in $differ pixels" \
    "(see /tmp/quillby-e2e-desktop.png and /tmp/quillby-e2e-headless.png)"
}
echo "the window at scale 2 shows the headless picture pixel for pixel"

# A second launch finds the first, brings it forward and ends at once.
start=$(date +%s%N)
timeout 10 "$exe" 2>"$work/second.err" || fail "the second launch failed: $(cat "$work/second.err")"
elapsed=$((($(date +%s%N) - start) / 1000000))
[ "$elapsed" -lt 5000 ] || fail "the second launch took $elapsed ms to end"
count=$(xdotool search --name '^Quillby$' | wc -l)
[ "$count" = 1 ] || fail "$count windows named Quillby after a second launch"
kill -0 "$game" 2>/dev/null || fail "the first game ended when the second was launched"
echo "a second launch ended in $elapsed ms and left one window"

tap "${close[@]}"
for _ in $(seq 50); do kill -0 "$game" 2>/dev/null || break; sleep 0.1; done
kill -0 "$game" 2>/dev/null && fail "the game was still running 5 s after its close button"
code=0
wait "$game" || code=$?
[ "$code" = 0 ] || fail "the game ended with exit code $code: $(cat "$work/desktop.err")"
echo "the close button ended the game with exit code 0"
