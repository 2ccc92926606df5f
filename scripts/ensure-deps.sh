#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The Quillby developers
# Checks that this Debian machine has what Quillby's build and tests need, and installs what
# is missing with apt-get (through sudo when not root). Where it may not install, it prints
# the exact command to run and stops with a non-zero code.
set -euo pipefail

packages=(
  g++ cmake make pkg-config       # compiler and build
  libgtest-dev libgmock-dev       # unit tests
  libbenchmark-dev                # benchmarks
  libfreetype-dev zlib1g-dev      # text and screenshots
  libsdl2-dev                     # the desktop window, stylus and sound
  help2man                        # the manual page, written from --help
)
# make deb: Debian's own package build, whose check of the build dependencies asks for
# build-essential by name (a machine with only g++ does not have it)
deb_tools=(build-essential debhelper dpkg-dev)
windows=(g++-mingw-w64-x86-64     # make windows: the Windows build
         nsis)                    # and its installer
if [ "${1:-}" = "deb" ]; then
  packages+=("${deb_tools[@]}")
elif [ "${1:-}" = "windows" ]; then
  packages+=("${windows[@]}")
fi
web=false
if [ "${1:-}" = "test" ]; then
  packages+=(xvfb xdotool         # the end-to-end check of the desktop window:
             imagemagick          # its screenshot, halved and compared with the headless one
             clang-format reuse   # the tree's formatting and licence headers
             "${deb_tools[@]}"    # the Debian package, checked by Debian's own tools
             lintian appstream desktop-file-utils
             "${windows[@]}"
             wine64 googletest    # the Windows build's tests, under Wine
             sox pocketsphinx     # the voice: sox decodes its clips as a second opinion,
             pocketsphinx-en-us   # and a recogniser hears what each one says;
             klettres-data festival festvox-italp16k  # the other languages' clips, made again,
             espeak-ng python3-numpy  # and their letter names compared with espeak-ng's
             python3-fonttools    # the letters' font, read back glyph by glyph
             chromium firefox-esr # the page's tests in each browser engine:
             webkit2gtk-driver libwebkit2gtk-4.1-0  # WebKit's driver and MiniBrowser
             pulseaudio)          # a sound server, without which Firefox plays nothing
  web=true
fi
if [ "${1:-}" = "fuzz" ]; then
  packages+=(clang libclang-rt-14-dev)  # libFuzzer and the sanitizers' run-time for clang
fi
if [ "${1:-}" = "web" ]; then web=true; fi
if $web; then
  packages+=(emscripten python3)  # the browser build (emcc is a Python program)
  # Node and npm: Debian's, unless another packaging of Node (which carries its own npm) is
  # already there.
  command -v node >/dev/null 2>&1 || packages+=(nodejs)
  command -v npm >/dev/null 2>&1 || packages+=(npm)
fi

# The npm modules the browser build and its tests use, exactly as package-lock.json pins them,
# into node_modules/ (no install scripts: nothing else is fetched).
npm_modules() {
  $web || return 0
  local here
  here=$(cd "$(dirname "$0")/.." && pwd)
  [ "$here/node_modules/.package-lock.json" -nt "$here/package-lock.json" ] && return 0
  echo "Installing the npm modules of package-lock.json into node_modules/"
  (cd "$here" && npm ci --ignore-scripts --no-audit --no-fund --loglevel=error)
}

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  npm_modules
  exit 0
fi

line="apt-get install -y --no-install-recommends ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  as_root=()
elif command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
  as_root=(sudo)
else
  echo "Quillby needs these packages: ${missing[*]}" >&2
  echo "Install them with:  sudo apt-get update && sudo $line" >&2
  exit 1
fi
echo "Installing what the build needs: ${missing[*]}"
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive $line -qq
npm_modules
