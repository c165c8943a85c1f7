# A private Wine desktop: its own Xvfb display, with a chosen work area, and a
# fresh Wine prefix in a temporary folder. Sourced by tools/test, tools/demo
# and tools/bench.
#
#   StartWineDesktop WORKAREA   e.g. "0,40,1280,720" (left,top,width,height)
#   StartWineDesktop --display  on the existing $DISPLAY and its work area
#   StopWineDesktop             ends only what StartWineDesktop started
#
# Exports DISPLAY, WINEPREFIX, WINEDEBUG and WINE_DESKTOP_DIR.

WINE_DESKTOP_PACKAGES=(wine wine32:i386 xvfb x11-utils)

# Its own display, with the work area set before any Wine process starts.
StartXvfb() {
  local workArea=$1
  # -noreset keeps root-window properties when the last client disconnects.
  local display
  for display in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ] || break
  done
  Xvfb ":$display" -screen 0 1280x720x24 -noreset -nolisten tcp \
    >"$WINE_DESKTOP_DIR/xvfb.log" 2>&1 &
  XVFB_PID=$!
  export DISPLAY=":$display"
  local tries
  for tries in $(seq 50); do
    xprop -root >/dev/null 2>&1 && break
    sleep 0.1
  done
  # Wine takes the work area from this property when its processes start.
  xprop -root -f _NET_WORKAREA 32c -set _NET_WORKAREA "$workArea"
}

StartWineDesktop() {
  local workArea=$1
  WINE_DESKTOP_DIR=$(mktemp -d /tmp/ardeno-wine.XXXXXX)
  export WINE_DESKTOP_DIR
  [ "$workArea" = --display ] || StartXvfb "$workArea"

  export WINEPREFIX="$WINE_DESKTOP_DIR/prefix"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  wineboot -i >/dev/null 2>&1
  # Unmanaged windows: without a window manager, Wine otherwise waits about
  # 2 s whenever a managed window is hidden or destroyed. A crash ends the
  # process instead of waiting on a dialog.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
  wineserver -w
  # A persistent server spares every later Wine process its start-up.
  wineserver -p
  # The first program starts Wine's desktop and services, which outlive it and
  # keep its output open: a caller reading that output (ctest) would hang.
  wine cmd /c exit >/dev/null 2>&1
}

StopWineDesktop() {
  [ -n "${WINEPREFIX:-}" ] && wineserver -k >/dev/null 2>&1
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
  [ -n "${WINE_DESKTOP_DIR:-}" ] && rm -rf "$WINE_DESKTOP_DIR"
  XVFB_PID=
  WINE_DESKTOP_DIR=
  return 0
}
