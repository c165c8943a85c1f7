#pragma once

#include <string_view>

#include "window_manager.h"

constexpr std::string_view AllSwitch = "/all";

// Enumeration callback: stretches the window when it is an editor main window,
// hidden or not, to the work area that workAreaOf (a WorkAreaOf) names. Always
// returns TRUE, so that every window is visited.
platform::BOOL EnumEditorWindowsProc(platform::HWND window, platform::LPARAM workAreaOf);
