#include "stretch_window.h"

#include "desktop_test.h"

namespace desktop_test {
namespace {

using StretchWindowTest = DesktopTest;

struct GeometryCase {
  const char* name;
  RECT workArea;
  RECT window;
  RECT expected;
};

TEST_F(StretchWindowTest, TakesTopAndHeightFromWorkAreaAndKeepsLeftAndWidth) {
  const GeometryCase cases[] = {
      {"work area at origin", {0, 0, 1280, 680}, {100, 50, 600, 400}, {100, 0, 600, 680}},
      {"taskbar at the top", {0, 40, 1280, 720}, {100, 50, 600, 400}, {100, 40, 600, 720}},
      {"negative left edge", {0, 0, 1920, 1040}, {-300, 10, 500, 300}, {-300, 0, 500, 1040}},
      {"already at the target", {0, 40, 1280, 720}, {5, 40, 805, 720}, {5, 40, 805, 720}},
      {"on a second display", {0, 0, 1920, 1040}, {2000, 100, 2800, 700}, {2000, 0, 2800, 1040}},
      {"taller than the work area", {0, 30, 1024, 738}, {0, -20, 1024, 900}, {0, 30, 1024, 738}},
      {"taskbar at the left", {62, 0, 1280, 720}, {20, 50, 520, 400}, {20, 0, 520, 720}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    memory_desktop::Reset();
    memory_desktop::SetWorkArea(c.workArea);
    HWND window = AddEditor(c.window);
    StretchWindow(window);
    ASSERT_EQ(memory_desktop::Moves().size(), 1u);
    EXPECT_TRUE(memory_desktop::Moves()[0].repaint);
    EXPECT_EQ(memory_desktop::WindowRect(window), c.expected);
  }
}

enum class Owner { None, Normal, Minimized };

struct GuardCase {
  const char* name;
  bool zoomed;
  bool iconic;
  Owner owner;
  bool moved;
};

TEST_F(StretchWindowTest, SkipsMaximizedAndMinimizedWindowsAndWindowsWithMinimizedOwner) {
  const GuardCase cases[] = {
      {"plain window, no owner", false, false, Owner::None, true},
      {"owner present, not minimized", false, false, Owner::Normal, true},
      {"owner minimized", false, false, Owner::Minimized, false},
      {"maximized", true, false, Owner::None, false},
      {"maximized with normal owner", true, false, Owner::Normal, false},
      {"window itself minimized", false, true, Owner::None, false},
      {"minimized with normal owner", false, true, Owner::Normal, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    memory_desktop::Reset();
    HWND owner = nullptr;
    if (c.owner != Owner::None) {
      WindowSetup ownerSetup;
      ownerSetup.className = "TApplication";
      ownerSetup.iconic = c.owner == Owner::Minimized;
      ownerSetup.visible = false;
      owner = memory_desktop::AddWindow(ownerSetup);
    }
    WindowSetup setup;
    setup.className = "TMorvelMainForm";
    setup.rect = {10, 20, 410, 320};
    setup.owner = owner;
    setup.zoomed = c.zoomed;
    setup.iconic = c.iconic;
    HWND window = memory_desktop::AddWindow(setup);
    StretchWindow(window);
    EXPECT_EQ(memory_desktop::Moves().size(), c.moved ? 1u : 0u);
  }
}

TEST_F(StretchWindowTest, DoesNotMoveWhenWorkAreaQueryFails) {
  HWND window = AddEditor({10, 20, 410, 320});
  memory_desktop::FailWorkAreaQuery();
  StretchWindow(window);
  EXPECT_TRUE(memory_desktop::Moves().empty());
}

TEST_F(StretchWindowTest, DoesNotMoveWhenWindowRectQueryFails) {
  HWND window = AddEditor({10, 20, 410, 320});
  memory_desktop::DestroyWindow(window);
  StretchWindow(window);
  EXPECT_TRUE(memory_desktop::Moves().empty());
}

TEST_F(StretchWindowTest, GetWorkAreaReadsTheCurrentWorkAreaEveryTime) {
  ASSERT_TRUE(GetWorkArea().has_value());
  EXPECT_EQ(*GetWorkArea(), WorkArea);
  memory_desktop::SetWorkArea({0, 0, 800, 560});
  EXPECT_EQ(*GetWorkArea(), (RECT{0, 0, 800, 560}));
  memory_desktop::FailWorkAreaQuery();
  EXPECT_FALSE(GetWorkArea().has_value());
}

}  // namespace
}  // namespace desktop_test
