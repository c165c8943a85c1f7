// Shared set-up for tests that run the stretcher on the in-memory desktop.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "memory_desktop.h"

// Found by argument-dependent lookup, so they live beside RECT.
namespace platform {

inline bool operator==(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

inline std::ostream& operator<<(std::ostream& out, const RECT& r) {
  return out << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}

}  // namespace platform

namespace desktop_test {

using memory_desktop::WindowSetup;
using platform::HWND;
using platform::RECT;

// The main display is 1280x720 at the origin, with the taskbar at its top.
constexpr RECT WorkArea{0, 40, 1280, 720};
// A second display that tests may add: taller, to the left of the main one,
// with the taskbar at its bottom.
constexpr RECT SecondDisplay{-1024, 0, 0, 1024};
constexpr RECT SecondWorkArea{-1024, 0, 0, 984};

class DesktopTest : public ::testing::Test {
 protected:
  void SetUp() override {
    memory_desktop::Reset();
    memory_desktop::SetWorkArea(WorkArea);
  }
};

inline HWND AddEditor(RECT rect, HWND owner = nullptr) {
  WindowSetup setup;
  setup.className = "TMorvelMainForm";
  setup.rect = rect;
  setup.owner = owner;
  return memory_desktop::AddWindow(setup);
}

inline HWND AddWindowOfClass(const std::string& className, RECT rect = {10, 10, 200, 200}) {
  WindowSetup setup;
  setup.className = className;
  setup.rect = rect;
  return memory_desktop::AddWindow(setup);
}

// The rectangle StretchWindow gives a window that was at rect, by default
// with the main display's work area.
inline RECT Stretched(RECT rect, RECT workArea = WorkArea) {
  return {rect.left, workArea.top, rect.right, workArea.bottom};
}

}  // namespace desktop_test
