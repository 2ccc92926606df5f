#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The Quillby developers
# Runs a Windows program under Wine in the project's own prefix (build/wine), made on first use
# and reused: quiet, never asking to install Mono or Gecko, without sound (a test machine has no
# sound card, and Wine would say so on every start), with windows on X when DISPLAY is set and
# on Wine's display-less driver otherwise (unit tests need windows but no screen), and with no
# crash dialog: a program that crashes ends with a backtrace on stderr, where the dialog would
# wait for ever.
#
#   scripts/wine-run.sh PROGRAM.exe [ARGUMENT]...
#   scripts/wine-run.sh --stop      ends every program of the prefix, and its Wine server
#
# Wine's server, once started, keeps the display it was started with: a run that needs another
# one stops the prefix first. WINEPREFIX chooses another prefix.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$root/build/wine}
export WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64

wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=$(command -v wine64 || command -v wine || true)
[ -n "$wine" ] || { echo "wine-run: Wine is not installed (apt-get install wine64)" >&2; exit 2; }
server=$(dirname "$wine")/wineserver
[ -x "$server" ] || server=$(command -v wineserver)

if [ "${1:-}" = "--stop" ]; then
  [ -d "$WINEPREFIX" ] && "$server" -k 2>/dev/null || true
  exit 0
fi

ready="$WINEPREFIX/.quillby-ready-3"  # made by this version of the steps below
if [ ! -e "$ready" ]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  exec 9>"$WINEPREFIX.lock"
  flock 9  # another test may be making it right now
  if [ ! -e "$ready" ]; then
    echo "wine-run: making the Wine prefix $WINEPREFIX (once; about a minute)" >&2
    rm -rf "$WINEPREFIX"
    DISPLAY='' "$wine" wineboot --init >/dev/null 2>&1
    DISPLAY='' "$wine" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d x11,null /f >/dev/null 2>&1
    DISPLAY='' "$wine" reg add 'HKCU\Software\Wine\Drivers' /v Audio /d '' /f >/dev/null 2>&1
    DISPLAY='' "$wine" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 \
      /f >/dev/null 2>&1
    "$server" -w
    touch "$ready"
  fi
  exec 9>&-
fi
exec "$wine" "$@"
