#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The Quillby developers
# The installer under Wine: silently (/S), without asking for administrator rights, it puts the
# game into the user's own programs folder, two shortcuts into the Start menu (the game, and the
# game with its voice) and an entry into the installed apps; the installed game runs; the
# uninstaller removes every file and the entry.
# Exits 77 (skipped) where Wine is missing.
#
#   tests/platform/hosts/win32/installer_test.sh path/to/QuillbySetup.exe
set -euo pipefail
installer=$(realpath "$1")
root=$(cd "$(dirname "$0")/../../../.." && pwd)
wine_run="$root/scripts/wine-run.sh"
fail() { echo "FAILED: $*" >&2; exit 1; }
[ -x /usr/lib/wine/wine64 ] || command -v wine64 >/dev/null || { echo "SKIPPED: Wine is missing"; exit 77; }
unset DISPLAY  # nothing is shown: Wine's display-less driver

key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillby'
unix() { "$wine_run" winepath -u "$("$wine_run" cmd /c echo "$1" | tr -d '\r')" | tr -d '\r'; }
folder="$(unix '%LOCALAPPDATA%')/Programs/Quillby"
shortcut="$(unix '%APPDATA%')/Microsoft/Windows/Start Menu/Programs/Quillby.lnk"
voiced="${shortcut%.lnk} (with voice).lnk"
registered() { "$wine_run" reg query "$key" 2>/dev/null | tr -d '\r'; }

# A clean start, whatever an earlier run left.
rm -rf "$folder" "$shortcut" "$voiced"
"$wine_run" reg delete "$key" /f >/dev/null 2>&1 || true

grep -aq 'requestedExecutionLevel level="asInvoker"' "$installer" ||
  fail "the installer asks for more than the user's own rights"
"$wine_run" "$installer" /S || fail "the silent install ended with exit code $?"
for file in quillby.exe Uninstall.exe COPYING.txt CREDITS.md CC-BY-4.0.txt OFL-1.1.txt; do
  [ -f "$folder/$file" ] || fail "$file is not in $folder"
done
[ -f "$shortcut" ] || fail "no Start-menu shortcut at $shortcut"
[ -f "$voiced" ] || fail "no Start-menu shortcut at $voiced"
# A shortcut keeps its arguments in UTF-16.
[[ $(tr -d '\0' <"$voiced") == *--speak* ]] || fail "$voiced does not start the game with --speak"
[[ $(tr -d '\0' <"$shortcut") == *--speak* ]] && fail "$shortcut starts the game with --speak"
entry=$(registered) || fail "no entry under $key"
for value in 'DisplayName    REG_SZ    Quillby' 'DisplayVersion    REG_SZ    1.1' \
  'Publisher    REG_SZ    The Quillby developers' 'UninstallString    REG_SZ    "C:\'; do
  grep -qF "$value" <<<"$entry" || fail "the entry lacks '$value': $entry"
done
[ "$("$wine_run" "$folder/quillby.exe" --version | tr -d '\r')" = "quillby 1.1" ] ||
  fail "the installed game does not run"

# The uninstaller runs from a copy of itself, so that it can remove its own file: wait for it.
"$wine_run" "$folder/Uninstall.exe" /S || fail "the silent uninstall ended with exit code $?"
for _ in $(seq 150); do [ -e "$folder" ] || break; sleep 0.2; done
[ -e "$folder" ] && fail "the uninstaller left $(ls -A "$folder" | tr '\n' ' ')in $folder"
[ -e "$shortcut" ] || [ -e "$voiced" ] && fail "the uninstaller left a Start-menu shortcut"
registered >/dev/null && fail "the uninstaller left the entry under $key"
echo "installed into $folder with two shortcuts and an entry; uninstalled without a trace"
