#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The Quillby developers
# quillby.exe under Wine on Xvfb, at scale 2: one window titled Quillby whose client area, halved,
# is the headless title for the same start tick except where the two font renderers differ; a
# click opens the game and the quiz switch shows the round that start tick gives headless; a
# second launch leaves one window and says it brought the first forward; the close button ends
# the program with exit code 0; a wrong command line ends it at once with one line of
# explanation. In German, the ring's last card is the headless one. With --speak the program sends the sound calls the headless run with --speak
# makes, the voice as long after each sound before.
# Exits 77 (skipped) where Xvfb, xdotool, ImageMagick or Wine is missing.
#
#   tests/platform/hosts/win32/end_to_end.sh path/to/quillby.exe
set -euo pipefail
exe=$(realpath "$1")
root=$(cd "$(dirname "$0")/../../../.." && pwd)
wine_run="$root/scripts/wine-run.sh"
golden="$root/tests/golden"
source "$root/tests/support/x11.sh"
need_x import convert compare identify
[ -x /usr/lib/wine/wine64 ] || command -v wine64 >/dev/null || skip "Wine is missing"

work=$(mktemp -d /tmp/quillby-wine-e2e-XXXXXX)
pids=()
finish() {
  kill "${pids[@]}" 2>/dev/null || true
  # The prefix's Wine server would keep this display, which is going: the next run starts afresh.
  "$wine_run" --stop || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap finish EXIT
"$wine_run" --stop
start_xvfb

# The bounding box (WxH+X+Y) of the pixels that differ.
differing_box() { convert "$1" "$2" -compose difference -composite -threshold 0 -format '%@' info:; }
# How many pixels of colour $2 the box $3 of picture $1 holds.
count_colour() {
  convert "$1" -crop "$3" +repage -fill black +opaque "$2" -fill white -opaque "$2" \
    -format '%[fx:round(mean*w*h)]' info:
}
shot() {
  shot_halved "$work/$1.png"
  [ "$(identify -format '%wx%h' "$work/window.png")" = 480x640 ] ||
    fail "the client area is $(identify -format '%wx%h' "$work/window.png"), not 480x640 at scale 2"
}

# A wrong command line: one line on the error output, exit code 2, no window.
code=0
"$wine_run" "$exe" --scale 0 >"$work/wrong.out" 2>"$work/wrong.err" || code=$?
[ "$code" = 2 ] && [ "$(wc -l <"$work/wrong.err")" = 1 ] && [ ! -s "$work/wrong.out" ] ||
  fail "--scale 0 ended with $code, saying '$(cat "$work/wrong.err" "$work/wrong.out")'"

"$wine_run" "$exe" --scale 2 --start-tick 2026 >"$work/game.out" 2>&1 &
game=$!
pids+=("$game")
window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Quillby$' | head -1) ||
  fail "no window named Quillby appeared: $(cat "$work/game.out")"
sleep 2

# The title: only the labels' text may differ, and both labels are there in their colour.
shot title
title_differ=$(differ "$work/title.png" "$golden/title.png")
[ "$title_differ" -le 768 ] || fail "the title differs from the headless one in $title_differ pixels (more than 1 %)"
if [ "$title_differ" -gt 0 ]; then
  box=$(differing_box "$work/title.png" "$golden/title.png")
  top=${box##*+}
  [ "$top" -ge 295 ] || fail "the title differs outside its labels (differing pixels in $box)"
fi
for label in 60x18+45+298 70x18+165+298; do
  [ "$(count_colour "$work/title.png" '#3D30C0' "$label")" -ge 20 ] ||
    fail "no label text in $label of the title"
done

# The game, then the quiz: start tick 2026 gives the yarn top right, the bus bottom right and the
# rocket bottom left, each exactly where and as it is headless.
tap 120 150
sleep 1.5
tap 75 20
sleep 2.5
shot quiz
quiz_differ=$(differ "$work/quiz.png" "$golden/quiz.png")
[ "$quiz_differ" -le 768 ] || fail "the quiz differs from the headless one in $quiz_differ pixels (more than 1 %)"
# The rectangle (WxH+X+Y) of picture $1 at corner $2 of the quiz.
place() {
  local w h
  read -r w h <<<"$(identify -format '%w %h' "$root/resources/bitmaps/pictures/$1"_*.bmp)"
  case $2 in
    top-right) echo "${w}x${h}+$((240 - w - 30))+30" ;;
    bottom-right) echo "${w}x${h}+$((240 - w - 30))+$((320 - h - 30))" ;;
    bottom-left) echo "${w}x${h}+60+$((320 - h - 30))" ;;
  esac
}
places=("$(place 624 top-right)" "$(place 701 bottom-right)" "$(place 517 bottom-left)")
for place in "${places[@]}"; do
  convert "$work/quiz.png" -crop "$place" +repage "$work/ours.png"
  convert "$golden/quiz.png" -crop "$place" +repage "$work/headless.png"
  [ "$(differ "$work/ours.png" "$work/headless.png")" = 0 ] ||
    { cp "$work/quiz.png" /tmp/quillby-wine-quiz.png 2>/dev/null
      fail "the quiz picture at $place differs from the headless round (see /tmp/quillby-wine-quiz.png)"; }
done

timeout 30 "$wine_run" "$exe" >"$work/second.out" 2>&1 ||
  fail "the second launch failed: $(cat "$work/second.out")"
count=$(xdotool search --name '^Quillby$' | wc -l)
[ "$count" = 1 ] || fail "$count windows named Quillby after a second launch"
grep -q '^quillby: Quillby is already running; bringing it to the front' "$work/second.out" ||
  fail "the second launch did not say it brought the first forward: $(cat "$work/second.out")"

tap 227 13  # the close button
await_end "$game" 100 || fail "the game was still running 10 s after its close button"
[ "$code" = 0 ] || fail "the game ended with exit code $code: $(cat "$work/game.out")"
# --help lists what this build takes: the window's options, not the Linux build's headless run.
timeout 30 "$wine_run" "$exe" --help >"$work/help.out" 2>&1 || fail "--help failed: $(cat "$work/help.out")"
grep -q -- '--scale N' "$work/help.out" || fail "--help does not list --scale: $(cat "$work/help.out")"
grep -q -- '--speak' "$work/help.out" || fail "--help does not list --speak: $(cat "$work/help.out")"
! grep -q -- '--headless' "$work/help.out" || fail "--help lists --headless, which this build refuses"

# In German: the ring's last card (a step back from A) is the headless run's ü with its present,
# the font renderers' differences aside.
"$wine_run" "$exe" --language de --scale 2 --start-tick 2026 >"$work/german.out" 2>&1 &
german=$!
pids+=("$german")
timeout 60 xdotool search --sync --onlyvisible --name '^Quillby$' >/dev/null ||
  fail "no German window appeared: $(cat "$work/german.out")"
sleep 2
tap 120 150
sleep 1.5
tap 70 282
sleep 1.5
shot card-de
card_differ=$(differ "$work/card-de.png" "$golden/card-de.png")
[ "$card_differ" -le 768 ] ||
  { cp "$work/card-de.png" /tmp/quillby-wine-card-de.png 2>/dev/null
    fail "the German card differs from the headless one in $card_differ pixels (see /tmp/quillby-wine-card-de.png)"; }
tap 227 13
await_end "$german" 100 || fail "the German game was still running 10 s after its close button"

# With --speak: every sndPlaySoundW call, in Wine's trace with its time, names the sound by its
# address, which the program's resource directory turns into its number.
headless=${QUILLBY_EXE:-$root/build/default/shell/quillby}
[ -x "$headless" ] || fail "no headless build at $headless to compare the voice with"
printf '500 down 120 150\n520 up 120 150\n3500 down 170 282\n3520 up 170 282\n6500 down 227 13\n' >"$work/speak.txt"
"$headless" --headless --speak --start-tick 2026 --script "$work/speak.txt" --until 7000 |
  awk '$2 == "sound" { print $1, $3 }' >"$work/headless.sounds"
WINEDEBUG=+timestamp,trace+winmm "$wine_run" "$exe" --speak --scale 2 --start-tick 2026 \
  >"$work/speak.out" 2>&1 &
game=$!
pids+=("$game")
window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Quillby$' | head -1) ||
  fail "no window named Quillby appeared with --speak: $(tail -3 "$work/speak.out")"
sleep 2
tap 120 150
sleep 3
tap 170 282
sleep 3
tap 227 13
await_end "$game" 100 || fail "the game with --speak was still running 10 s after its close button"
objdump=x86_64-w64-mingw32-objdump
base=$($objdump -p "$exe" | awk '$1 == "ImageBase" { print $2 }')
# The WAVE type's entries: a resource's number (three spaces deeper), then its data's address.
$objdump -p "$exe" | awk '
  /^[0-9a-f]+   Entry: / { wave = /: WAVE,/ }
  wave && /^[0-9a-f]+     Entry: ID: / { id = $4; sub(",", "", id) }
  wave && /Leaf: Addr: / { sub(",", "", $4); print id, $4 }' |
  while read -r id address; do printf '%016X %d\n' $((0x$base + address)) $((id)); done >"$work/waves"
tr -d '\r' <"$work/speak.out" | awk -F"[:']" '/MULTIMEDIA_PlaySound/ { print $1, $(NF - 1) }' |
  awk 'NR == FNR { id[$1] = $2; next } { printf "%d %s\n", $1 * 1000, ($2 in id ? id[$2] : "?" $2) }' \
    "$work/waves" - >"$work/wine.sounds"
[ "$(cut -d' ' -f2 "$work/wine.sounds")" = "$(cut -d' ' -f2 "$work/headless.sounds")" ] ||
  fail "with --speak the sounds were $(cut -d' ' -f2 "$work/wine.sounds" | tr '\n' ' ')where headless" \
    "they are $(cut -d' ' -f2 "$work/headless.sounds" | tr '\n' ' ')"
# Each voice comes once the sound before it has ended: the narrator times it from when it heard
# of a game sound, after the call; from the tick it said a voice at, before the call, which Wine
# traces later by a little more one time than another, with a pause after. So a voice after a
# voice may seem sooner than headless by less than the pause, never by more (Wine's trace has
# whole milliseconds). How much later is the machine's, and reported; a voice a second late
# waited for something else than its time, such as the next tap.
late=$(paste -d' ' "$work/wine.sounds" "$work/headless.sounds" | awk -v pause=150 '
  NR > 1 && $2 < 20000 { d = ($1 - wine) - ($3 - headless); if (d < -2 - (before < 20000 ? pause : 0)) early = early " " $2 ":" d
                         if (d > 1000) early = early " " $2 ":+" d
                         if (d > worst) worst = d }
  { wine = $1; headless = $3; before = $2 }
  END { print (early ? "early" early : "ok " worst + 0) }')
[[ $late == ok* ]] || fail "voices came before the sound before them had ended, or a second late (sound:ms against headless):${late#early}"

echo "title: $title_differ pixels differ (labels), quiz: $quiz_differ (the letter), pictures exact;" \
  "a second launch left one window; close exited 0;" \
  "with --speak the same $(wc -l <"$work/wine.sounds") sounds, voices at most ${late#ok } ms later than headless"
