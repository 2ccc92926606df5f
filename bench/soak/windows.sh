#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The Quillby developers
# quillby.exe under Wine on Xvfb, tapped at random 5 to 10 times a second for ten minutes. At
# every check (each minute) the child stops until any reward has ended, and the game's handles
# and memory are read: its GDI objects, its windows and USER objects, and its resident memory.
# Holds when, of the checks that found the same mode (letter cards or the quiz, told by the mode
# box on the screen), every one counts as many GDI objects as the first, the windows never
# change, the memory after the first check stays within 2 MB and its highest in the last third
# of the run within 256 KB of its highest in the first, a tap on the mode box always
# changes the picture, and the close button ends the game with exit code 0. Exits 77 (skipped)
# without Xvfb, xdotool, ImageMagick or Wine.
#
#   bench/soak/windows.sh [--seconds N] [build/windows/quillby.exe [build/windows/bench/soak/quillby_census.exe]]
#
# Wine 8 answers 0 to GetGuiResources for both counts, so the GDI objects are Wine's own count
# of the process's live GDI handles, which its gdi trace writes at every allocation and release;
# quillby_census.exe reports GetGuiResources as Wine gives it, and counts the windows.
# QUILLBY_SOAK_SEED chooses the taps; QUILLBY_SOAK_KEEP=DIR keeps the readings, the last
# screenshots and the trace there.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/tests/support/x11.sh"
source "$root/bench/soak/real_taps.sh"
soak_length 600 "$@"
exe=$(realpath "${rest[0]:-$root/build/windows/quillby.exe}")
census=$(realpath "${rest[1]:-$(dirname "$exe")/bench/soak/quillby_census.exe}")
for program in "$exe" "$census"; do
  [ -f "$program" ] || { echo "soak: $program is missing (cmake --build --preset windows)" >&2; exit 2; }
done
need_x import convert compare
[ -x /usr/lib/wine/wine64 ] || command -v wine64 >/dev/null || skip "Wine is missing"
wine_run="$root/scripts/wine-run.sh"
seed=${QUILLBY_SOAK_SEED:-$RANDOM}
# Wine's process swings by a megabyte as it plays (two levels 1 MB apart), and settles slowly:
# 100 KiB over the first ten minutes, 20 KiB over the next twenty.
kib_allowed=2048
rise_allowed=256
# A short slice may see one move between the two levels and nothing else: it allows that move.
[ "$length" -ge 120 ] || rise_allowed=1280

work=$(mktemp -d /tmp/quillby-soak-windows-XXXXXX)
pids=()
finish() {
  kill "${pids[@]}" 2>/dev/null || true
  "$wine_run" --stop || true  # its Wine server would keep this display, which is going
  wait 2>/dev/null || true
  [ -z "${QUILLBY_SOAK_KEEP:-}" ] || cp -r "$work" "$QUILLBY_SOAK_KEEP"
  rm -rf "$work"
}
trap finish EXIT
"$wine_run" --stop
start_xvfb

# Cards or the quiz: the mode box of the halved screenshot $1 against the golden screens'.
for mode in card quiz; do convert "$root/tests/golden/$mode.png" -crop 60x20+45+10 +repage "$work/$mode-box.png"; done
mode_of() {
  convert "$1" -crop 60x20+45+10 +repage "$work/box.png"
  if [ "$(differ "$work/box.png" "$work/quiz-box.png")" = 0 ]; then echo quiz
  elif [ "$(differ "$work/box.png" "$work/card-box.png")" = 0 ]; then echo cards
  else echo unknown; fi
}
# The live GDI handles of Windows process $1 (hex, as Wine's trace writes it), from the trace.
gdi_objects() {
  awk -v pid="$1" -F: '$1 == pid && $5 ~ /^(alloc|free)_gdi_handle / { last = $0 } END {
    split(last, words, " "); split(words[5], count, "/")
    print words[2] == "allocated" ? count[1] : count[1] - 1 }' "$work/trace"
}

# quillby_census.exe's line; a start of it that fails (seen once in a few hundred on a busy
# machine, with no line at all) is tried again twice, and said.
ask_census() {
  local try line
  for try in 1 2 3; do
    line=$("$wine_run" "$census" 2>&1 | tr -d '\r' | tee "$work/census.out" | grep '^pid ' || true)
    [ -n "$line" ] && { echo "$line"; return; }
    echo "  (quillby_census.exe, try $try: $(head -c 300 "$work/census.out" | tr '\n' ' '))" >&2
    sleep 1
  done
  fail "quillby_census.exe found no game: $(head -c 300 "$work/census.out")"
}

WINEDEBUG=+pid,+gdi "$wine_run" "$exe" --scale 2 >/dev/null 2>"$work/trace" &
game=$!  # wine-run becomes Wine, which becomes the game's process
pids+=("$game")
window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Quillby$' | head -1) ||
  fail "no window named Quillby appeared: $(grep -v ':trace:' "$work/trace" | tail -5)"
sleep 2
watched=$game
echo "windows soak: $length s of taps, checks every $every s, seed $seed, on $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"
tour
started=$SECONDS

check=0
while [ $((SECONDS - started)) -lt "$length" ]; do
  play_until_check
  shot_halved "$work/check.png"
  mode=$(mode_of "$work/check.png")
  ask_census >"$work/census.line"
  read -r _ pid _ gdi _ user _ windows _ private _ <"$work/census.line"
  objects=$(gdi_objects "$pid")
  rss=$(resident_kib "$watched")
  echo "$((SECONDS - started)) $mode $objects $windows $rss" >>"$work/checks"
  tap 75 20
  changed=0
  for _ in $(seq 20); do
    sleep 0.5
    shot_halved "$work/toggled.png"
    changed=$(differ "$work/toggled.png" "$work/check.png")
    [ "$changed" != 0 ] && break
  done
  echo "  $((SECONDS - started)) s: $taps taps ($(tap_rate) a second); $mode; $objects GDI objects (GetGuiResources: $gdi)," \
    "$windows windows (GetGuiResources: $user USER objects); resident $rss KiB, private $private KiB;" \
    "the mode box changed $changed pixels"
  [ "$mode" != unknown ] || fail "the mode box is neither ticked nor unticked (after $taps taps)"
  [ "$changed" != 0 ] || fail "the window showed the same picture for 10 s after a tap on the mode box"
done

# Per mode, the GDI objects of every check against the first; the windows against the first.
awk '{ if (!($2 in first)) first[$2] = $3; if ($3 != first[$2]) bad = bad " " $1 " s (" $2 ": " $3 ", first " first[$2] ")"
       if (NR == 1) w = $4; if ($4 != w) bad = bad " " $1 " s (" $4 " windows, first " w ")" }
     END { for (m in first) printf "%s: %s GDI objects at every check; ", m, first[m]; print w " windows"
           if (bad != "") { print "changed at" bad; exit 1 } }' "$work/checks" ||
  fail "the game's handles did not stay flat"
awk '{ print $1, $5 }' "$work/checks" >>"$work/memory"
memory_flat "$first_check" "$kib_allowed" "$rise_allowed"
sleep 2.5
tap 227 13
await_end "$game" 150 || fail "the game was still running 15 s after its close button"
[ "$code" = 0 ] || fail "the game ended with exit code $code"
echo "held: $taps taps ($(tap_rate) a second while tapping) in $((SECONDS - started)) s; trace of $(wc -l <"$work/trace") lines; the close button ended the game with exit code 0"
