#include "run_stretcher.h"

#include "code_page_932.h"
#include "desktop_test.h"

namespace desktop_test {
namespace {

using RunStretcherTest = DesktopTest;

constexpr RECT EditorRect{100, 200, 700, 500};

struct ForegroundCase {
  const char* name;
  const char* className;  // null: no foreground window
  bool stretched;
};

TEST_F(RunStretcherTest, StretchesOnlyAnExactClassMatchAndWarnsOtherwise) {
  const ForegroundCase cases[] = {
      {"editor main window", "TMorvelMainForm", true},
      {"other letter case", "tmorvelmainform", false},
      {"longer name, same start", "TMorvelMainFormX", false},
      {"shorter name", "TMorvelMainFor", false},
      {"editor dialog", "TMorvelFindDialog", false},
      {"another application", "Notepad", false},
      {"no foreground window", nullptr, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    memory_desktop::Reset();
    memory_desktop::SetWorkArea(WorkArea);
    HWND foreground = c.className ? AddWindowOfClass(c.className, EditorRect) : nullptr;
    memory_desktop::SetForegroundWindow(foreground);
    RunStretcher();
    if (c.stretched) {
      EXPECT_TRUE(memory_desktop::MessageBoxes().empty());
      EXPECT_EQ(memory_desktop::WindowRect(foreground), Stretched(EditorRect));
    } else {
      EXPECT_TRUE(memory_desktop::Moves().empty());
      ASSERT_EQ(memory_desktop::MessageBoxes().size(), 1u);
      EXPECT_EQ(memory_desktop::MessageBoxes()[0].owner, foreground);
    }
  }
}

TEST_F(RunStretcherTest, WarningBoxHasCaptionTextAndStyle) {
  HWND other = AddWindowOfClass("Notepad");
  memory_desktop::SetForegroundWindow(other);
  RunStretcher();
  ASSERT_EQ(memory_desktop::MessageBoxes().size(), 1u);
  const auto& box = memory_desktop::MessageBoxes()[0];
  EXPECT_EQ(box.caption, "Ardeno Ver.0.01");
  EXPECT_EQ(Utf8FromCodePage932(box.text), "Morvelの[ツール]から実行して下さい。");
  EXPECT_EQ(box.type, 0x30u);
  EXPECT_EQ(box.owner, other);
}

TEST_F(RunStretcherTest, SingleWindowModeMovesOnlyTheForegroundEditor) {
  HWND behind = AddEditor({0, 0, 300, 300});
  HWND foreground = AddEditor(EditorRect);
  HWND above = AddEditor({400, 10, 900, 300});
  memory_desktop::SetForegroundWindow(foreground);
  RunStretcher();
  ASSERT_EQ(memory_desktop::Moves().size(), 1u);
  EXPECT_EQ(memory_desktop::Moves()[0].window, foreground);
  EXPECT_EQ(memory_desktop::WindowRect(behind), (RECT{0, 0, 300, 300}));
  EXPECT_EQ(memory_desktop::WindowRect(above), (RECT{400, 10, 900, 300}));
}

struct SwitchesCase {
  const char* commandLine;
  bool all;      // the editor window behind is stretched too
  bool display;  // to the second display's work area, which holds both windows
};

TEST_F(RunStretcherTest, ChoosesTheWindowsAndTheirWorkAreaFromTheSwitches) {
  const SwitchesCase cases[] = {
      {"ardeno.exe", false, false},
      {"ardeno.exe /all", true, false},
      {"ardeno.exe /display", false, true},
      {"ardeno.exe /all /display", true, true},
      {"ardeno.exe /DISPLAY /All", true, true},
      {"ardeno.exe \"/display\" x /all", true, true},
      {"ardeno.exe \"/dis\"play", false, true},
      {"ardeno.exe /displays /all", true, false},
      {"ardeno.exe -display", false, false},
      {"ardeno.exe /display:1", false, false},
      {"ardeno.exe \"/display /all\"", false, false},
      {"/display", false, false},
  };
  const RECT frontRect{-900, 100, -400, 400}, behindRect{-800, 200, -300, 500};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.commandLine);
    memory_desktop::Reset();
    memory_desktop::SetWorkArea(WorkArea);
    memory_desktop::AddDisplay(SecondDisplay, SecondWorkArea);
    memory_desktop::SetCommandLine(c.commandLine);
    HWND behind = AddEditor(behindRect);
    HWND front = AddEditor(frontRect);
    memory_desktop::SetForegroundWindow(front);
    RunStretcher();
    const RECT workArea = c.display ? SecondWorkArea : WorkArea;
    EXPECT_EQ(memory_desktop::WindowRect(front), Stretched(frontRect, workArea));
    EXPECT_EQ(memory_desktop::WindowRect(behind),
              c.all ? Stretched(behindRect, workArea) : behindRect);
  }
}

TEST_F(RunStretcherTest, FailedClassQueryWarnsEvenAfterAnEarlierMatch) {
  memory_desktop::SetForegroundWindow(AddEditor(EditorRect));
  RunStretcher();
  ASSERT_EQ(memory_desktop::Moves().size(), 1u);

  WindowSetup vanishing;
  vanishing.className = "TMorvelMainForm";
  vanishing.classQueryFails = true;
  memory_desktop::SetForegroundWindow(memory_desktop::AddWindow(vanishing));
  RunStretcher();
  EXPECT_EQ(memory_desktop::Moves().size(), 1u);
  EXPECT_EQ(memory_desktop::MessageBoxes().size(), 1u);
}

}  // namespace
}  // namespace desktop_test
