#!/bin/sh
# Runs a Windows program under Wine in a private prefix.
# Usage: wine-run.sh win32|win64 PREFIX_DIR PROGRAM [ARGS...]
#        wine-run.sh --fresh win32|win64 PREFIX_DIR
#
# Prefixes are never booted one by one: the first use of an architecture in a
# folder boots PREFIX_DIR's pristine sibling, wineprefix-ARCH-pristine, once
# (15 s), and every prefix that does not exist yet starts as a copy of it
# (a fraction of a second: Wine's own binaries are hard links, everything it
# writes is copied). So a test wanting a clean prefix removes it, or asks for
# one with --fresh, which stops the prefix's programs, removes it and copies it
# anew. The pristine prefix lets a window close at once: Wine waits 2 s for a
# window manager otherwise, and the virtual displays here have none.
# Locks keep parallel runs from racing on the same prefix.
set -e
fresh=
[ "$1" = --fresh ] && fresh=1 && shift
arch=$1 prefix=$2
shift 2

export WINEPREFIX="$prefix" WINEARCH="$arch" WINEDEBUG=-all
# No Mono or Gecko installers: nothing here needs them, and they would prompt.
export WINEDLLOVERRIDES="mscoree,mshtml=${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"
if [ "$arch" = win64 ]; then wine=wine64; else wine=wine; fi
command -v "$wine" >/dev/null 2>&1 || wine=/usr/lib/wine/$wine
pristine="$(dirname "$prefix")/wineprefix-$arch-pristine"
# Marks a prefix made from the pristine one; a prefix without it predates the
# copies (and the window setting) and is made again.
marker=.pristine-copy

# One boot of the pristine prefix. A program crashing while Wine boots leaves
# its debugger waiting for ever, so each step is bounded.
boot_pristine() {
  rm -rf "$pristine"
  WINEPREFIX="$pristine" timeout 300 "$wine" wineboot -i >/dev/null 2>&1 &&
    WINEPREFIX="$pristine" timeout 120 "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f \
      >/dev/null 2>&1 &&
    # The registry reaches its files when the session ends.
    WINEPREFIX="$pristine" timeout 120 wineserver -w
}

# Boots the pristine prefix once, trying again after a boot that failed or
# hung; nothing ever runs in it afterwards.
make_pristine() {
  (
    flock 8
    [ -f "$pristine/$marker" ] && exit 0
    boot_pristine || { WINEPREFIX="$pristine" wineserver -k 2>/dev/null || true; boot_pristine; }
    touch "$pristine/$marker"
  ) 8>"$pristine.lock"
}

# Wine's own binaries never change in a prefix: hard links to the pristine
# ones. Every other file (registry, ini files, what programs add) is a copy.
copy_pristine() {
  rm -rf "$prefix" "$prefix.display"
  cp -al "$pristine" "$prefix"
  find "$prefix" -type f -links +1 ! \( -name '*.dll' -o -name '*.exe' -o -name '*.drv' -o -name '*.sys' \
    -o -name '*.ocx' -o -name '*.cpl' -o -name '*.acm' -o -name '*.ax' -o -name '*.tlb' -o -name '*.nls' \) \
    -exec sh -c 'for file; do cp -p "$file" "$file.copy" && mv "$file.copy" "$file"; done' sh {} +
}

mkdir -p "$(dirname "$prefix")"
(
  flock 9
  if [ -n "$fresh" ] || [ ! -f "$prefix/$marker" ]; then
    [ -d "$prefix" ] && { wineserver -k 2>/dev/null || true; }
    make_pristine
    copy_pristine
  fi
  # A Wine session keeps the display it started with (none, when run by the
  # build). A run wanting another display waits for that session to end,
  # a few seconds after its last program.
  if [ "$(cat "$prefix.display" 2>/dev/null)" != "${DISPLAY:-}" ]; then
    wineserver -w
    echo "${DISPLAY:-}" >"$prefix.display"
  fi
) 9>"$prefix.lock"

if [ -n "$fresh" ]; then exit 0; fi
# Wine's session (wineserver, services, the desktop) outlives the program by
# seconds and inherits its output: whoever reads that from a pipe, as ctest and
# $(...) do, would wait for the session to end, and the next run would start a
# new one. So output meant for a pipe goes through files.
if [ ! -p /dev/stdout ] && [ ! -p /dev/stderr ]; then exec "$wine" "$@"; fi
out=$(mktemp) err=$(mktemp)
status=0
"$wine" "$@" >"$out" 2>"$err" || status=$?
cat "$out"
cat "$err" >&2
rm -f "$out" "$err"
exit "$status"
