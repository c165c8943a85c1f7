// An in-memory desktop that stands in for Windows in native builds: it answers
// the window_manager.h operations from a list of windows kept in z-order and
// records every move and message box, so tests can arrange a desktop, run the
// stretcher and read back what it did.
#pragma once

#include <string>
#include <vector>

#include "window_manager.h"

namespace memory_desktop {

using platform::HWND;
using platform::RECT;

struct WindowSetup {
  std::string className;
  RECT rect{};
  HWND owner = nullptr;
  bool zoomed = false;
  bool iconic = false;
  bool visible = true;
  // The class query fails while every other query answers.
  bool classQueryFails = false;
};

struct Move {
  HWND window;
  int x, y, width, height;
  platform::BOOL repaint;
};

struct MessageBoxCall {
  HWND owner;
  std::string text;
  std::string caption;
  platform::UINT type;
};

// An empty desktop with one 1280x720 display at the origin, all of it work
// area, and an empty command line.
void Reset();
// Adds a window at the top of the z-order.
HWND AddWindow(const WindowSetup& setup);
// After this every query about the window fails, as for a closed window.
void DestroyWindow(HWND window);
void SetForegroundWindow(HWND window);
// The main display's work area, the one SPI_GETWORKAREA reports.
void SetWorkArea(RECT workArea);
void FailWorkAreaQuery();
// Another display beside the main one, with its own work area.
void AddDisplay(RECT monitor, RECT workArea);
// After this GetMonitorInfoA fails, as for a display that has just gone.
void FailDisplayQuery();
// The main display's work area becomes workArea right after the next MoveWindow, as when the
// taskbar moves in the middle of a sweep.
void SetWorkAreaAfterNextMove(RECT workArea);
void SetCommandLine(const std::string& commandLine);

RECT WindowRect(HWND window);
// Every MoveWindow call, in order.
const std::vector<Move>& Moves();
const std::vector<MessageBoxCall>& MessageBoxes();

}  // namespace memory_desktop
