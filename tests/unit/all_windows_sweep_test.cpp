#include "all_windows_sweep.h"

#include <vector>

#include "desktop_test.h"
#include "run_stretcher.h"

namespace desktop_test {
namespace {

class AllWindowsSweepTest : public DesktopTest {
 protected:
  void SetUp() override {
    DesktopTest::SetUp();
    memory_desktop::SetCommandLine("ardeno.exe /all");
  }

  // Runs the tool with an editor window in the foreground.
  HWND RunWithForegroundEditor() {
    HWND foreground = AddEditor({50, 60, 650, 460});
    memory_desktop::SetForegroundWindow(foreground);
    RunStretcher();
    return foreground;
  }

  static std::vector<HWND> MovedWindows() {
    std::vector<HWND> moved;
    for (const auto& move : memory_desktop::Moves()) moved.push_back(move.window);
    return moved;
  }
};

TEST_F(AllWindowsSweepTest, StretchesEveryEditorWindowOnceInZOrder) {
  HWND bottom = AddEditor({-100, 0, 400, 300});
  WindowSetup hidden;
  hidden.className = "TMorvelMainForm";
  hidden.rect = {300, 300, 900, 600};
  hidden.visible = false;
  HWND hiddenEditor = memory_desktop::AddWindow(hidden);
  HWND foreground = RunWithForegroundEditor();

  EXPECT_EQ(MovedWindows(), (std::vector<HWND>{foreground, hiddenEditor, bottom}));
  EXPECT_EQ(memory_desktop::WindowRect(bottom), Stretched({-100, 0, 400, 300}));
  EXPECT_EQ(memory_desktop::WindowRect(hiddenEditor), Stretched({300, 300, 900, 600}));
  EXPECT_TRUE(memory_desktop::MessageBoxes().empty());
}

TEST_F(AllWindowsSweepTest, GuardsApplyToEachWindow) {
  WindowSetup maximized;
  maximized.className = "TMorvelMainForm";
  maximized.zoomed = true;
  memory_desktop::AddWindow(maximized);
  WindowSetup minimized;
  minimized.className = "TMorvelMainForm";
  minimized.iconic = true;
  memory_desktop::AddWindow(minimized);
  WindowSetup minimizedApplication;
  minimizedApplication.className = "TApplication";
  minimizedApplication.iconic = true;
  AddEditor({0, 0, 100, 100}, memory_desktop::AddWindow(minimizedApplication));
  HWND normal = AddEditor({10, 10, 500, 500});
  HWND foreground = RunWithForegroundEditor();

  EXPECT_EQ(MovedWindows(), (std::vector<HWND>{foreground, normal}));
}

TEST_F(AllWindowsSweepTest, ReadsTheWorkAreaAfreshForEveryWindow) {
  for (const char* commandLine : {"ardeno.exe /all", "ardeno.exe /all /display"}) {
    SCOPED_TRACE(commandLine);
    SetUp();
    memory_desktop::SetCommandLine(commandLine);
    HWND behind = AddEditor({10, 10, 500, 500});
    // The taskbar goes from the top to the bottom once the first window is stretched.
    memory_desktop::SetWorkAreaAfterNextMove({0, 0, 1280, 680});
    HWND foreground = RunWithForegroundEditor();

    EXPECT_EQ(memory_desktop::WindowRect(foreground), Stretched({50, 60, 650, 460}));
    EXPECT_EQ(memory_desktop::WindowRect(behind), (RECT{10, 0, 500, 680}));
  }
}

TEST_F(AllWindowsSweepTest, LeavesOtherClassesAndFailedClassQueriesAlone) {
  for (const char* className : {"TMorvelFindDialog", "tmorvelmainform", "TMorvelMainFormX",
                                "TApplication", "Notepad", ""}) {
    AddWindowOfClass(className);
  }
  WindowSetup vanishing;
  vanishing.className = "TMorvelMainForm";
  vanishing.classQueryFails = true;
  memory_desktop::AddWindow(vanishing);
  HWND foreground = RunWithForegroundEditor();

  EXPECT_EQ(MovedWindows(), (std::vector<HWND>{foreground}));
}

TEST_F(AllWindowsSweepTest, OneEditorWindowGivesTheSameResultAsSingleWindowMode) {
  HWND foreground = RunWithForegroundEditor();
  EXPECT_EQ(MovedWindows(), (std::vector<HWND>{foreground}));
  EXPECT_EQ(memory_desktop::WindowRect(foreground), Stretched({50, 60, 650, 460}));
}

TEST_F(AllWindowsSweepTest, AnotherApplicationInFrontOnlyWarns) {
  AddEditor({0, 0, 300, 300});
  memory_desktop::SetForegroundWindow(AddWindowOfClass("Notepad"));
  RunStretcher();
  EXPECT_TRUE(memory_desktop::Moves().empty());
  EXPECT_EQ(memory_desktop::MessageBoxes().size(), 1u);
}

TEST_F(AllWindowsSweepTest, CallbackAlwaysContinuesTheEnumeration) {
  HWND editor = AddEditor({0, 0, 300, 300});
  EXPECT_EQ(EnumEditorWindowsProc(editor, 0), platform::TRUE);
  EXPECT_EQ(EnumEditorWindowsProc(AddWindowOfClass("Notepad"), 0), platform::TRUE);
  EXPECT_EQ(EnumEditorWindowsProc(nullptr, 0), platform::TRUE);
}

}  // namespace
}  // namespace desktop_test
