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

constexpr RECT WorkArea{0, 40, 1280, 720};  // taskbar at the top

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

// The rectangle StretchWindow gives a window that was at rect.
inline RECT Stretched(RECT rect) { return {rect.left, WorkArea.top, rect.right, WorkArea.bottom}; }

}  // namespace desktop_test
