# shellcheck shell=bash
# A private Wine desktop: its own Xvfb display, with one or more displays of
# chosen sizes and work areas, and a fresh Wine prefix in a temporary folder.
# Sourced by tools/test, tools/e2e, tools/demo and tools/bench.
#
#   ChooseWineBuild             which build of ardeno.exe Wine runs on this host
#   StartWineDesktop DISPLAY... each "left,top,width,height/left,top,width,height":
#                               the display, then its work area, in Windows' screen
#                               coordinates; the main display first, at 0,0
#   StartWineDesktop --display  on the existing $DISPLAY and its work area
#   StartNamedWineDesktop NAME  one of WINE_DESKTOPS, set up for the end-to-end suite
#   StopWineDesktop             ends only what StartWineDesktop started
#
# Exports DISPLAY, WINEPREFIX, WINEDEBUG and WINE_DESKTOP_DIR.

# wine64 comes only with the x86-64 build (WINE_BUILD_PACKAGES): once it is
# installed, Debian's wineserver launcher starts the 64-bit server for the
# 32-bit loader too. xrandr (x11-xserver-utils) splits the screen into displays.
WINE_DESKTOP_PACKAGES=(wine wine32:i386 xvfb x11-utils x11-xserver-utils)
Wine32Loader=/usr/lib/wine/wine
Wine64Loader=/usr/lib/wine/wine64

# The desktops the end-to-end suite runs on, by name: ANSI code page, the
# locale that gives Wine that code page, and the displays as StartWineDesktop
# takes them. On two-displays the main display has its taskbar at the top and
# a taller second display to its left has its taskbar at the bottom.
WINE_DESKTOPS=(
  "taskbar-bottom 1252 C.UTF-8 0,0,1280,720/0,0,1280,680"
  "taskbar-top 1252 C.UTF-8 0,0,1280,720/0,40,1280,680"
  "japanese 932 ja_JP.UTF-8 0,0,1280,720/0,0,1280,680"
  "two-displays 1252 C.UTF-8 0,0,1280,800/0,40,1280,760 -1024,0,1024,1024/-1024,0,1024,984"
)

# The names of WINE_DESKTOPS, one a line.
WineDesktopNames() {
  local entry
  for entry in "${WINE_DESKTOPS[@]}"; do echo "${entry%% *}"; done
}

# The displays of the desktop of WINE_DESKTOPS named $1, as StartWineDesktop
# takes them, and how many they are.
WineDesktopDisplays() {
  local entry name displays
  for entry in "${WINE_DESKTOPS[@]}"; do
    read -r name _ _ displays <<<"$entry"
    [ "$name" != "$1" ] || echo "$displays"
  done
}
WineDesktopDisplayCount() { WineDesktopDisplays "$1" | wc -w; }

# Generates the locales of WINE_DESKTOPS that this system lacks (needs root).
EnsureDesktopLocales() {
  local entry locale
  for entry in "${WINE_DESKTOPS[@]}"; do
    read -r _ _ locale _ <<<"$entry"
    [ "$locale" = C.UTF-8 ] && continue
    locale -a | grep -qx "${locale%.UTF-8}.utf8" && continue
    sed -i "s/^# *\(${locale} UTF-8\)\$/\1/" /etc/locale.gen && locale-gen >/dev/null || return 1
  done
}

# Sets WINE_BUILD to the preset whose exes Wine runs here, WINE_BUILD_NAME to
# what to call it, and WINE_BUILD_PACKAGES to the packages that build and run
# it, for EnsurePackages (with the Xinerama library of that Wine's own
# architecture, through which it sees more than one display): the shipped 32-bit build where the host runs i386 code,
# else the x86-64 build under 64-bit Wine. It tries the installed 32-bit loader
# rather than guessing: only the kernel's refusal of i386 code ("Exec format
# error") chooses the x86-64 build; any other failure of 32-bit Wine is an
# error, so a broken Wine never passes unnoticed as a 64-bit-only host.
ChooseWineBuild() {
  local output
  if output=$("$Wine32Loader" --version 2>&1); then
    WINE_BUILD=mingw
    WINE_BUILD_NAME="32-bit build (this host runs 32-bit code)"
    WINE_BUILD_PACKAGES=(g++-mingw-w64-i686 binutils-mingw-w64-i686 libxinerama1:i386)
  elif grep -q "Exec format error" <<<"$output"; then
    WINE_BUILD=mingw-x64
    WINE_BUILD_NAME="x86-64 build (this host runs no 32-bit code)"
    WINE_BUILD_PACKAGES=(g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 wine64 libxinerama1)
  else
    echo "32-bit Wine does not start on this host, which runs 32-bit code: $output" >&2
    return 1
  fi
  export WINE_BUILD WINE_BUILD_NAME
}

# Which Wine runs the desktop's programs, e.g. "64-bit wine-8.0 (Debian 8.0~repack-4)".
WineVersion() {
  echo "$([ "$WINE_BUILD" = mingw ] && echo 32-bit || echo 64-bit) $(wine --version)"
}

# Debian's launchers (wine, and wine-stable behind wineboot and winepath) pick
# the 32-bit loader whenever wine32 is installed, even where it cannot run:
# for the x86-64 build the desktop puts launchers of its own first on PATH.
Use64BitWine() {
  local bin=$WINE_DESKTOP_DIR/bin launcher
  mkdir "$bin"
  for launcher in wine wine-stable; do
    printf '#!/bin/sh\nexec %s "$@"\n' "$Wine64Loader" >"$bin/$launcher"
    chmod +x "$bin/$launcher"
  done
  export PATH="$bin:$PATH" WINELOADER=$Wine64Loader
}

# Its own X display, as large as all the displays together, with the displays
# and their work areas set before any Wine process starts.
StartXvfb() {
  # X has no negative coordinates: the displays are shifted right and down by
  # as much as they reach left of and above the main display.
  local display left top width height right=0 bottom=0 shiftX=0 shiftY=0
  for display in "$@"; do
    IFS=, read -r left top width height <<<"${display%%/*}"
    shiftX=$((left < -shiftX ? -left : shiftX)) shiftY=$((top < -shiftY ? -top : shiftY))
    right=$((left + width > right ? left + width : right))
    bottom=$((top + height > bottom ? top + height : bottom))
  done
  # -noreset keeps root-window properties when the last client disconnects.
  # Xvfb picks the first free display and writes its number once it listens:
  # only it sees every display in use, as a chroot or a container with its own
  # /tmp shares the abstract sockets of the displays outside.
  local number=$WINE_DESKTOP_DIR/display
  Xvfb -displayfd 3 -screen 0 "$((right + shiftX))x$((bottom + shiftY))x24" -noreset -nolisten tcp \
    3>"$number" >"$WINE_DESKTOP_DIR/xvfb.log" 2>&1 &
  XVFB_PID=$!
  local tries
  for tries in $(seq 50); do
    [ -s "$number" ] && break
    sleep 0.1
  done
  [ -s "$number" ] || { echo "Xvfb did not start:" >&2 && cat "$WINE_DESKTOP_DIR/xvfb.log" >&2 && return 1; }
  DISPLAY=":$(cat "$number")"
  export DISPLAY
  # A Wine process that cannot reach the display falls back to a 1024x768
  # screen of its own: make sure the server answers first.
  for tries in $(seq 50); do
    xprop -root >/dev/null 2>&1 && break
    sleep 0.1
  done
  # Wine takes the work area from _NET_WORKAREA when its processes start.
  local mainWorkArea
  mainWorkArea=$(ShiftedRect "${1#*/}" "$shiftX" "$shiftY")
  xprop -root -f _NET_WORKAREA 32c -set _NET_WORKAREA "$mainWorkArea" ||
    { echo "cannot set the work area on $DISPLAY" >&2 && return 1; }
  [ $# -gt 1 ] || return 0
  # Several displays: one RandR monitor each, the main one first (Wine's main
  # display is the first, and it puts that at 0,0) and taking over the screen's
  # own output, so that no monitor for the whole screen is left. Wine reads
  # them through Xinerama, and each display's work area from
  # _GTK_WORKAREAS_D<current desktop>.
  local index=0 output=screen workAreas=
  for display in "$@"; do
    IFS=, read -r left top width height <<<"$(ShiftedRect "${display%%/*}" "$shiftX" "$shiftY")"
    xrandr --setmonitor "ardeno-$index" "$width/$width"x"$height/$height+$left+$top" "$output" \
      >/dev/null ||
      { echo "cannot set display $index on $DISPLAY" >&2 && return 1; }
    workAreas+=${workAreas:+,}$(ShiftedRect "${display#*/}" "$shiftX" "$shiftY")
    index=$((index + 1)) output=none
  done
  xprop -root -f _NET_CURRENT_DESKTOP 32c -set _NET_CURRENT_DESKTOP 0 &&
    xprop -root -f _GTK_WORKAREAS_D0 32c -set _GTK_WORKAREAS_D0 "$workAreas" ||
    { echo "cannot set the work areas on $DISPLAY" >&2 && return 1; }
}

# "left,top,width,height" moved right by $2 and down by $3.
ShiftedRect() {
  local left top width height
  IFS=, read -r left top width height <<<"$1"
  echo "$((left + $2)),$((top + $3)),$width,$height"
}

StartWineDesktop() {
  WINE_DESKTOP_DIR=$(mktemp -d /tmp/ardeno-wine.XXXXXX)
  export WINE_DESKTOP_DIR
  [ "$1" = --display ] || StartXvfb "$@" || return 1
  [ "${WINE_BUILD:?ChooseWineBuild first}" = mingw ] || Use64BitWine

  export WINEPREFIX="$WINE_DESKTOP_DIR/prefix"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  wineboot -i >/dev/null 2>&1
  # Unmanaged windows: without a window manager, Wine otherwise waits about
  # 2 s whenever a managed window is hidden or destroyed. Displays read
  # through Xinerama, which sees the RandR monitors StartXvfb sets: where
  # Wine's own-architecture libXrandr is installed (as it is for 64-bit Wine,
  # beside xrandr) Wine would otherwise count Xvfb's one output, the whole
  # screen. A crash ends the process instead of waiting on a dialog.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v UseXRandR /d N /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
  wineserver -w
  # A persistent server spares every later Wine process its start-up.
  wineserver -p
  # The first program starts Wine's desktop and services, which outlive it and
  # keep its output open: a caller reading that output (ctest) would hang.
  wine cmd /c exit >/dev/null 2>&1
}

# A desktop of WINE_DESKTOPS by its name; tells the end-to-end suite its
# displays and code page (ARDENO_E2E_DISPLAYS, ARDENO_E2E_ACP) and which of its
# tests run there (E2E_TESTS, ctest's options): rows that need two displays
# only where there are two.
StartNamedWineDesktop() {
  local entry name codePage locale displays
  for entry in "${WINE_DESKTOPS[@]}"; do
    read -r name codePage locale displays <<<"$entry"
    [ "$name" = "$1" ] || continue
    export ARDENO_E2E_DISPLAYS=$displays ARDENO_E2E_ACP=$codePage LANG=$locale LC_ALL=$locale
    E2E_TESTS=(-L e2e)
    [ "$(WineDesktopDisplayCount "$name")" -gt 1 ] || E2E_TESTS+=(-LE two-displays)
    # shellcheck disable=SC2086 # one argument a display
    StartWineDesktop $displays
    return
  done
  echo "no desktop named $1" >&2
  return 2
}

StopWineDesktop() {
  # Waits for the server to be gone, so that nothing of the desktop outlives
  # its caller.
  [ -n "${WINEPREFIX:-}" ] && wineserver -k >/dev/null 2>&1 && timeout 10 wineserver -w
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
  [ -n "${WINE_DESKTOP_DIR:-}" ] && rm -rf "$WINE_DESKTOP_DIR"
  XVFB_PID=
  WINE_DESKTOP_DIR=
  return 0
}
