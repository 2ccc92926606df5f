# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The Quillby developers
# What the end-to-end scripts share, sourced by them: how they skip or fail, an Xvfb of their
# own, and how they look at, tap and wait for a game shown at scale 2. Each sets `work` (a
# folder of its own) and `pids` (what its exit trap ends) first.
skip() { echo "SKIPPED: $*"; exit 77; }
fail() { echo "FAILED: $*" >&2; exit 1; }

# Skips without Xvfb and xdotool, or without the named programs of ImageMagick's own (not a
# stand-in that may come first on PATH).
need_x() {
  command -v Xvfb >/dev/null && command -v xdotool >/dev/null || skip "Xvfb or xdotool is missing"
  # The game names its desktop after a Wayland session first: these runs are on Xvfb alone.
  unset WAYLAND_DISPLAY
  local tool
  for tool in "$@"; do [ -x "/usr/bin/$tool" ] || skip "ImageMagick's $tool is missing"; done
}

# Starts an Xvfb of its own on a free display, makes it the DISPLAY and notes it in pids. It
# never resets: a server that resets as its last client leaves refuses the next one meanwhile.
start_xvfb() {
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" 2>/dev/null &
  pids+=($!)
  for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
  [ -s "$work/display" ] || skip "Xvfb did not start"
  export DISPLAY=":$(cat "$work/display")"
}

# How many pixels differ between two pictures of the same size.
differ() { compare -metric AE "$1" "$2" null: 2>&1 || true; }
# Photographs the game's $window, shown at scale 2, into $work/window.png and halved into $1.
shot_halved() {
  import -window "$window" "$work/window.png"
  convert "$work/window.png" -sample 50% -depth 8 "$1"
}
# Taps display pixel ($1, $2) of the game's $window, shown at scale 2.
tap() { xdotool mousemove --window "$window" $(($1 * 2 + 1)) $(($2 * 2 + 1)) click 1; }

# Waits up to $2 tenths of a second for process $1, a child of this shell, to end; then sets
# `code` to its exit code. Fails to when it is still running.
await_end() {
  local _
  for _ in $(seq "$2"); do kill -0 "$1" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$1" 2>/dev/null && return 1
  code=0
  wait "$1" || code=$?
}
