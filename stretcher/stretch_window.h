#pragma once

#include <optional>
#include <string_view>

#include "window_manager.h"

constexpr std::string_view DisplaySwitch = "/display";

// Whose work area a window is stretched to.
enum class WorkAreaOf {
  MainDisplay,  // the main display's, whichever display the window is on
  OwnDisplay,   // that of the display holding the largest part of the window
};

// The available area of the main display (the screen minus the taskbar and
// docked bars), in screen coordinates; empty when the query fails.
std::optional<platform::RECT> GetWorkArea();

// The available area of the display that holds the largest part of rect, or
// of the nearest display when none holds any of it; rect and the result are
// in screen coordinates. Empty when the query fails.
std::optional<platform::RECT> GetDisplayWorkArea(const platform::RECT& rect);

// Makes a top-level window exactly as tall as a work area, keeping its left
// edge and width. Leaves it alone when it is maximized or minimized, or its
// owner is minimized.
void StretchWindow(platform::HWND window, WorkAreaOf workAreaOf);
