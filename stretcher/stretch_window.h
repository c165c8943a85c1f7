#pragma once

#include <optional>

#include "window_manager.h"

// The available area of the primary display (the screen minus the taskbar and
// docked bars), in screen coordinates; empty when the query fails.
std::optional<platform::RECT> GetWorkArea();

// Makes a top-level window exactly as tall as the work area, keeping its left
// edge and width. Leaves it alone when it is maximized or minimized, or its
// owner is minimized.
void StretchWindow(platform::HWND window);
