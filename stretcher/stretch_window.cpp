#include "stretch_window.h"

using namespace platform;

std::optional<RECT> GetWorkArea() {
  RECT workArea;
  if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0)) return std::nullopt;
  return workArea;
}

namespace {
bool Contains(const RECT& outer, const RECT& inner) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}
}  // namespace

std::optional<RECT> GetDisplayWorkArea(const RECT& rect) {
  // A window inside the main display's work area is on the main display. Its
  // work area is the one cheap to read: under Wine every display query costs
  // about a twentieth of a move, and most windows are on the main display.
  std::optional<RECT> mainWorkArea = GetWorkArea();
  if (mainWorkArea && Contains(*mainWorkArea, rect)) return mainWorkArea;
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoA(MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST), &info)) {
    return std::nullopt;
  }
  return info.rcWork;
}

void StretchWindow(HWND window, WorkAreaOf workAreaOf) {
  // Maximized and minimized windows stay as they are: moving a minimized one
  // would only move its icon, out of the user's sight.
  if (IsZoomed(window) || IsIconic(window)) return;
  // An editor whose application window is minimized has its main form hidden,
  // not iconic: only the owner tells.
  if (IsIconic(GetWindow(window, GW_OWNER))) return;

  // Read afresh for every window: the taskbar may have moved since the last
  // one, and the next window may be on another display.
  RECT windowRect;
  if (!GetWindowRect(window, &windowRect)) return;
  std::optional<RECT> workArea =
      workAreaOf == WorkAreaOf::OwnDisplay ? GetDisplayWorkArea(windowRect) : GetWorkArea();
  if (!workArea) return;

  // Left edge and width from the window, top and height from the work area.
  // A window already in place is moved all the same, to where it is.
  MoveWindow(window, windowRect.left, workArea->top, windowRect.right - windowRect.left,
             workArea->bottom - workArea->top, TRUE);
}
