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
  // On one display, its own work area is the main display's.
  for (WorkAreaOf workAreaOf : {WorkAreaOf::MainDisplay, WorkAreaOf::OwnDisplay}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(c.name);
      SCOPED_TRACE(workAreaOf == WorkAreaOf::OwnDisplay ? "own display" : "main display");
      memory_desktop::Reset();
      memory_desktop::SetWorkArea(c.workArea);
      HWND window = AddEditor(c.window);
      StretchWindow(window, workAreaOf);
      ASSERT_EQ(memory_desktop::Moves().size(), 1u);
      EXPECT_TRUE(memory_desktop::Moves()[0].repaint);
      EXPECT_EQ(memory_desktop::WindowRect(window), c.expected);
    }
  }
}

struct DisplayCase {
  const char* name;
  RECT window;
  RECT ownWorkArea;
};

TEST_F(StretchWindowTest, TakesTheWorkAreaOfTheDisplayHoldingMostOfTheWindowOnRequest) {
  const DisplayCase cases[] = {
      {"on the main display", {100, 100, 600, 400}, WorkArea},
      {"on the second display", {-900, 100, -400, 400}, SecondWorkArea},
      {"corner on the second, most on the main", {-100, 100, 900, 400}, WorkArea},
      {"most on the second, right edge on the main", {-900, 100, 100, 400}, SecondWorkArea},
      {"above both, nearest the second", {-900, -500, -400, -100}, SecondWorkArea},
      {"below the main display, nearest it", {300, 900, 600, 1100}, WorkArea},
      {"left of the second display", {-1500, 100, -1100, 400}, SecondWorkArea},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    for (WorkAreaOf workAreaOf : {WorkAreaOf::MainDisplay, WorkAreaOf::OwnDisplay}) {
      memory_desktop::Reset();
      memory_desktop::SetWorkArea(WorkArea);
      memory_desktop::AddDisplay(SecondDisplay, SecondWorkArea);
      HWND window = AddEditor(c.window);
      StretchWindow(window, workAreaOf);
      EXPECT_EQ(
          memory_desktop::WindowRect(window),
          Stretched(c.window, workAreaOf == WorkAreaOf::OwnDisplay ? c.ownWorkArea : WorkArea));
    }
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
    StretchWindow(window, WorkAreaOf::MainDisplay);
    StretchWindow(window, WorkAreaOf::OwnDisplay);
    EXPECT_EQ(memory_desktop::Moves().size(), c.moved ? 2u : 0u);
  }
}

struct FailedQueryCase {
  const char* name;
  void (*fail)(HWND window);
  WorkAreaOf workAreaOf;
  bool moved;
};

TEST_F(StretchWindowTest, DoesNotMoveWhenAQueryItNeedsFails) {
  const FailedQueryCase cases[] = {
      {"work area", [](HWND) { memory_desktop::FailWorkAreaQuery(); }, WorkAreaOf::MainDisplay,
       false},
      {"display", [](HWND) { memory_desktop::FailDisplayQuery(); }, WorkAreaOf::OwnDisplay, false},
      {"window rectangle", memory_desktop::DestroyWindow, WorkAreaOf::MainDisplay, false},
      {"window rectangle, own display", memory_desktop::DestroyWindow, WorkAreaOf::OwnDisplay,
       false},
      // Without the switch the display is never asked for; with it, a failed
      // main work area leaves the display's.
      {"display, not asked", [](HWND) { memory_desktop::FailDisplayQuery(); },
       WorkAreaOf::MainDisplay, true},
      {"work area, display asked", [](HWND) { memory_desktop::FailWorkAreaQuery(); },
       WorkAreaOf::OwnDisplay, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    memory_desktop::Reset();
    // Partly off the screen, so that its display is asked for.
    HWND window = AddEditor({-50, 20, 350, 320});
    c.fail(window);
    StretchWindow(window, c.workAreaOf);
    EXPECT_EQ(memory_desktop::Moves().size(), c.moved ? 1u : 0u);
  }
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
