# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The Quillby developers
# Storms of launches, sourced by the launch-storm scripts after x11.sh: they set `work` and
# `launcher` (the command that starts one copy, its window at scale 1) first. Results gather in
# `summary` and `failures`.
summary=()
failures=()

now_ms() { echo $((${EPOCHREALTIME/./} / 1000)); }
windows() { xdotool search --onlyvisible --name '^Quillby$' 2>/dev/null | wc -l; }
# Starts copy $2 of the storm in folder $1: its pid, then its exit code and when it ended.
launch() {
  (
    "${launcher[@]}" 2>"$1/$2.err" >/dev/null &
    echo $! >"$1/$2.pid"
    code=0
    wait $! || code=$?
    echo "$code $(now_ms)" >"$1/$2.end"
  ) 2>/dev/null &
}
launched() { find "$1" -name '*.pid' | wc -l; }
ended() { find "$1" -name '*.end' | wc -l; }
# Ends every copy of folder $1 still running (stopped ones too) and waits until they are gone.
end_storm() {
  local pid _
  for pid in $(cat "$1"/*.pid); do
    kill -CONT "$pid" 2>/dev/null || true
    kill "$pid" 2>/dev/null || true
  done
  for _ in $(seq 150); do [ "$(ended "$1")" = "$(launched "$1")" ] && return 0; sleep 0.1; done
  ps -o pid,stat,etime,args -p "$(cat "$1"/*.pid | paste -sd,)" >&2 || true
  fail "copies of $1 still running 15 s after they were told to end: $(sort -u "$1"/*.err | tr '\n' ' ')"
}
# Waits up to $1 twentieths of a second for $2 windows; prints when they were there.
await_windows() {
  local _
  for _ in $(seq "$1"); do
    [ "$(windows)" -ge "$2" ] && { now_ms; return 0; }
    sleep 0.05
  done
  return 1
}
# Waits up to 15 s for all but $2 of the copies of folder $1 to end, then a second more, in
# which a window still to open would have shown.
settle() {
  local _
  for _ in $(seq 150); do [ "$(ended "$1")" -ge "$(($(launched "$1") - $2))" ] && break; sleep 0.1; done
  sleep 1
}
# The copies of folder $1 that ended: "CODE MS" each, MS after the moment $2.
endings() {
  local file code at
  for file in "$1"/*.end; do
    [ -e "$file" ] || continue
    read -r code at <"$file"
    echo "$code $((at - $2))"
  done
}
# $2 storms of $1 launches at once: exactly one window each time, and every other launch ends
# with exit code 0 within 2 s of its appearing.
storms() {
  local n=$1 try dir start appeared count zero late slowest code after
  for try in $(seq "$2"); do
    dir="$work/storm$try"
    mkdir "$dir"
    start=$(now_ms)
    for i in $(seq "$n"); do launch "$dir" "$i"; done
    appeared=$(await_windows 600 1) || {
      failures+=("$n at once, try $try: no window within 30 s: $(sort -u "$dir"/*.err | tr '\n' ' ')")
      end_storm "$dir"
      continue
    }
    settle "$dir" 1
    count=$(windows)
    zero=0 late=0 slowest=-99999
    while read -r code after; do
      [ "$code" != 0 ] || zero=$((zero + 1))
      [ "$after" -le 2000 ] || late=$((late + 1))
      [ "$after" -le "$slowest" ] || slowest=$after
    done < <(endings "$dir" "$appeared")
    summary+=("$count window(s) $((appeared - start)) ms after the launches; $zero exits with 0, the last $slowest ms after the window showed")
    [ "$count" = 1 ] && [ "$zero" = $((n - 1)) ] && [ "$late" = 0 ] ||
      failures+=("$n at once, try $try: $count windows; $zero of $((n - 1)) exits with code 0 (exit codes, ms after the window: $(endings "$dir" "$appeared" | tr '\n' ',')), $late later than 2 s after the window: $(sort -u "$dir"/*.err | tr '\n' ' ')")
    end_storm "$dir"
  done
}
