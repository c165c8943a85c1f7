#pragma once

#include <string_view>

#include "window_manager.h"

constexpr std::string_view EditorMainFormClass = "TMorvelMainForm";

// Class names are read into buffers of this size, at most ClassNameLimit bytes
// with the NUL.
constexpr int ClassNameBufferSize = 256;
constexpr int ClassNameLimit = 255;

// True when the window's class is exactly the editor's main-form class (same
// bytes, same case). The name is read into className; a failed query is no
// match, so a buffer that still holds an earlier window's name is never judged.
bool IsEditorMainWindow(platform::HWND window, char (&className)[ClassNameBufferSize]);
