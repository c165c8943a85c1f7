// End-to-end scenarios: real windows on a real Win32 desktop (Wine or Windows)
// and the real ardeno.exe started against them, one scenario per process.
//
//   ardeno_e2e ARDENO_EXE SCENARIO
//   ardeno_e2e ARDENO_EXE manifest
//
// The desktop is described by the environment, so that a wrongly set-up desktop
// fails instead of passing trivially: ARDENO_E2E_WORKAREA is the work area as
// "left,top,width,height" (the form of _NET_WORKAREA) and ARDENO_E2E_ACP the
// ANSI code page.
#include <windows.h>

#include <cstdio>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

enum Setup {
  Shown,           // owned by a hidden application window, as the editor's framework does
  Unowned,         // no owner at all
  Maximized,       // owned, maximized
  OwnerMinimized,  // owned, the application window minimized, the window itself shown
  Hidden,          // owned, never shown
  OffLeft,         // owned, sticking out past the left edge of the screen
  AtTarget,        // owned, already as tall as the work area
};

struct WindowRow {
  const char* className;
  Setup setup;
  bool moves;
};

struct Scenario {
  const char* name;
  const char* commandLine;  // as the tool sees it, program name first
  int foreground;           // index into windows, or NoForeground
  bool warns;               // the warning box must appear, owned by the foreground window
  std::vector<WindowRow> windows;
};

constexpr int NoForeground = -1;
constexpr bool Moves = true, Stays = false;
constexpr bool Warns = true, Quiet = false;
constexpr char Plain[] = "ardeno.exe";
constexpr char All[] = "ardeno.exe /all";

constexpr char Editor[] = "TMorvelMainForm";
constexpr char EditorDialog[] = "TMorvelFindDialog";
constexpr char OtherApp[] = "Notepad";
constexpr char ApplicationClass[] = "TApplication";

// An editor in front and another behind it: the one behind moves only with "/all".
const std::vector<WindowRow> AllMode{{Editor, Shown, Moves}, {Editor, Shown, Moves}};
const std::vector<WindowRow> SingleMode{{Editor, Shown, Moves}, {Editor, Shown, Stays}};
const WindowRow Behind{Editor, Shown, Stays};

// One scenario per row; the names become CTest's test names.
// clang-format off
const Scenario Scenarios[] = {
    {"editor-in-front", Plain, 0, Quiet, {{Editor, Shown, Moves}}},
    {"unowned-editor-in-front", Plain, 0, Quiet, {{Editor, Unowned, Moves}}},
    {"only-the-front-editor", Plain, 1, Quiet,
     {Behind, {Editor, Shown, Moves}, {Editor, Unowned, Stays}}},
    {"other-app-in-front", Plain, 0, Warns, {{OtherApp, Unowned, Stays}, Behind}},
    {"lower-case-class-in-front", Plain, 0, Warns, {{"tmorvelmainform", Shown, Stays}}},
    {"longer-class-in-front", Plain, 0, Warns, {{"TMorvelMainFormX", Shown, Stays}, Behind}},
    {"editor-dialog-in-front", Plain, 0, Warns, {{EditorDialog, Shown, Stays}, Behind}},
    {"no-foreground-window", Plain, NoForeground, Warns, {Behind}},
    {"maximized-editor", Plain, 0, Quiet, {{Editor, Maximized, Stays}}},
    {"owner-minimized", Plain, 0, Quiet, {{Editor, OwnerMinimized, Stays}}},
    {"off-left-editor", Plain, 0, Quiet, {{Editor, OffLeft, Moves}}},
    {"editor-at-target", Plain, 0, Quiet, {{Editor, AtTarget, Moves}}},

    {"switch-lower-case", All, 0, Quiet, AllMode},
    {"switch-upper-case", "ardeno.exe /ALL", 0, Quiet, AllMode},
    {"switch-mixed-case", "ardeno.exe /All", 0, Quiet, AllMode},
    {"switch-quoted", "ardeno.exe \"/all\"", 0, Quiet, AllMode},
    {"switch-partly-quoted", "ardeno.exe \"/a\"ll", 0, Quiet, AllMode},
    {"switch-after-empty-quotes", "ardeno.exe \"\" /all", 0, Quiet, AllMode},
    {"switch-last-of-three", "ardeno.exe x y /all", 0, Quiet, AllMode},
    {"switch-after-quoted-program", "\"C:\\Program Files\\Ardeno\\ardeno.exe\" /all", 0, Quiet,
     AllMode},
    {"switch-with-hyphen", "ardeno.exe -all", 0, Quiet, SingleMode},
    {"switch-without-slash", "ardeno.exe all", 0, Quiet, SingleMode},
    {"switch-with-value", "ardeno.exe /all:1", 0, Quiet, SingleMode},
    {"switch-longer", "ardeno.exe /alls", 0, Quiet, SingleMode},
    {"switch-shorter", "ardeno.exe /al", 0, Quiet, SingleMode},
    {"switch-quoted-with-blank", "ardeno.exe \"/all x\"", 0, Quiet, SingleMode},
    {"program-named-switch", "/all", 0, Quiet, SingleMode},

    {"all-other-app-in-front", All, 0, Warns, {{OtherApp, Unowned, Stays}, Behind, Behind}},
    {"all-one-editor", All, 0, Quiet, {{Editor, Shown, Moves}, {EditorDialog, Shown, Stays}}},
    {"all-skips-maximized", All, 0, Quiet,
     {{Editor, Shown, Moves}, {Editor, Maximized, Stays}, {Editor, OffLeft, Moves}}},
    {"all-skips-minimized-owner", All, 0, Quiet,
     {{Editor, Unowned, Moves}, {Editor, OwnerMinimized, Stays}, {Editor, AtTarget, Moves}}},
    {"all-other-classes-untouched", All, 0, Quiet,
     {{Editor, Shown, Moves}, {EditorDialog, Shown, Stays}, {OtherApp, Unowned, Stays},
      {"TMorvelMainFormX", Shown, Stays}, {ApplicationClass, Unowned, Stays}}},
    {"all-hidden-editor", All, 0, Quiet, {{Editor, Shown, Moves}, {Editor, Hidden, Moves}}},
};
// clang-format on

constexpr wchar_t BoxCaption[] = L"Ardeno Ver.0.01";
constexpr wchar_t BoxText[] = L"Morvelの[ツール]から実行して下さい。";
constexpr int BoxTextId = 0xFFFF;
constexpr DWORD ToolTimeoutMs = 15000;

int failures = 0;

void Expect(bool ok, const std::string& what) {
  if (ok) return;
  std::printf("FAILED: %s\n", what.c_str());
  ++failures;
}

// Set-up that did not take: the scenario cannot say anything.
void Require(bool ok, const std::string& what) {
  if (!ok) throw std::runtime_error("set-up failed: " + what);
}

std::string ToString(const RECT& r) {
  return "{" + std::to_string(r.left) + ", " + std::to_string(r.top) + ", " +
         std::to_string(r.right) + ", " + std::to_string(r.bottom) + "}";
}

bool operator==(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string RequiredEnvironment(const char* name) {
  char value[64];
  DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
  Require(length > 0 && length < sizeof value, std::string(name) + " is not set");
  return value;
}

// The work area the desktop was started with, checked against what Windows reports.
RECT CheckedWorkArea() {
  std::string given = RequiredEnvironment("ARDENO_E2E_WORKAREA");
  std::istringstream in(given);
  long left, top, width, height;
  char comma;
  in >> left >> comma >> top >> comma >> width >> comma >> height;
  Require(!in.fail(), "ARDENO_E2E_WORKAREA is not left,top,width,height: " + given);
  RECT expected{left, top, left + width, top + height};
  RECT workArea;
  Require(SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0), "SPI_GETWORKAREA");
  Require(workArea == expected,
          "work area " + ToString(workArea) + ", desktop started with " + ToString(expected));
  return workArea;
}

void CheckCodePage() {
  std::string expected = RequiredEnvironment("ARDENO_E2E_ACP");
  Require(std::to_string(GetACP()) == expected,
          "ANSI code page " + std::to_string(GetACP()) + ", expected " + expected);
}

// WM_WINDOWPOSCHANGING with both a position and a size, as MoveWindow sends it,
// even when the window is already there.
std::map<HWND, int> moveRequests;

LRESULT CALLBACK CountingWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_WINDOWPOSCHANGING) {
    const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
    if (!(pos->flags & (SWP_NOMOVE | SWP_NOSIZE))) ++moveRequests[window];
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void RegisterWindowClass(const char* className) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = CountingWindowProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = className;
  if (RegisterClassA(&windowClass) == 0) {
    Require(GetLastError() == ERROR_CLASS_ALREADY_EXISTS, "RegisterClass");
  }
}

HWND Create(const char* className, const RECT& r, HWND owner) {
  RegisterWindowClass(className);
  HWND window =
      CreateWindowExA(0, className, className, WS_OVERLAPPEDWINDOW, r.left, r.top, r.right - r.left,
                      r.bottom - r.top, owner, nullptr, GetModuleHandleW(nullptr), nullptr);
  Require(window != nullptr, "CreateWindow");
  return window;
}

// A hidden application window that owns the forms, minimized when asked.
HWND CreateApplicationWindow(bool minimized) {
  HWND application = Create(ApplicationClass, {0, 0, 0, 0}, nullptr);
  if (minimized) {
    // Minimizing shows the window; the framework's application window stays hidden.
    ShowWindow(application, SW_SHOWMINNOACTIVE);
    ShowWindow(application, SW_HIDE);
    Require(IsIconic(application) && !IsWindowVisible(application),
            "hidden minimized application window");
  }
  return application;
}

HWND CreateRowWindow(const WindowRow& row, int index, const RECT& workArea) {
  int left = 40 + 120 * index, top = 80 + 30 * index;
  RECT r{left, top, left + 500, top + 300};
  if (row.setup == OffLeft) r = {-150, top, 350, top + 300};
  if (row.setup == AtTarget) r = {left, workArea.top, left + 500, workArea.bottom};
  HWND owner =
      row.setup == Unowned ? nullptr : CreateApplicationWindow(row.setup == OwnerMinimized);
  HWND window = Create(row.className, r, owner);
  if (row.setup == Maximized) {
    ShowWindow(window, SW_SHOWMAXIMIZED);
    Require(IsZoomed(window), "maximized window");
  } else if (row.setup != Hidden) {
    ShowWindow(window, SW_SHOWNORMAL);
    RECT placed;
    GetWindowRect(window, &placed);
    Require(placed == r, "window placed at " + ToString(placed) + ", not " + ToString(r));
  }
  return window;
}

DWORD WINAPI ForegroundThenEnd(void*) {
  HWND window = Create(OtherApp, {0, 0, 100, 100}, nullptr);
  ShowWindow(window, SW_SHOWNORMAL);
  SetForegroundWindow(window);
  return 0;
}

// A thread whose window was in front and that ends takes the foreground with it.
void LeaveNoForegroundWindow() {
  HANDLE thread = CreateThread(nullptr, 0, ForegroundThenEnd, nullptr, 0, nullptr);
  Require(thread != nullptr, "CreateThread");
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);
}

void PumpMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

// What the tool may change about a window, and what it must leave alone.
struct WindowState {
  RECT rect;
  bool zoomed;
  bool visible;
  bool ownerIconic;
};

WindowState StateOf(HWND window) {
  WindowState state{};
  GetWindowRect(window, &state.rect);
  state.zoomed = IsZoomed(window) != FALSE;
  state.visible = IsWindowVisible(window) != FALSE;
  state.ownerIconic = IsIconic(GetWindow(window, GW_OWNER)) != FALSE;
  return state;
}

std::string ToString(const WindowState& s) {
  return ToString(s.rect) + (s.zoomed ? " maximized" : "") + (s.visible ? "" : " hidden") +
         (s.ownerIconic ? " owner-minimized" : "");
}

bool operator==(const WindowState& a, const WindowState& b) {
  return a.rect == b.rect && a.zoomed == b.zoomed && a.visible == b.visible &&
         a.ownerIconic == b.ownerIconic;
}

std::wstring WindowText(HWND window) {
  wchar_t text[256] = L"";
  GetWindowTextW(window, text, 256);
  return text;
}

BOOL CALLBACK CollectVisibleButton(HWND child, LPARAM buttons) {
  wchar_t className[64] = L"";
  GetClassNameW(child, className, 64);
  if (std::wstring(className) == L"Button" && IsWindowVisible(child)) {
    reinterpret_cast<std::vector<int>*>(buttons)->push_back(GetDlgCtrlID(child));
  }
  return TRUE;
}

// Checks the warning box against what the user must see, then presses OK.
void CheckAndCloseBox(HWND box, HWND expectedOwner) {
  Expect(GetWindow(box, GW_OWNER) == expectedOwner,
         "warning box not owned by the foreground window");
  Expect(WindowText(GetDlgItem(box, BoxTextId)) == BoxText, "warning box text differs");
  std::vector<int> buttons;
  EnumChildWindows(box, CollectVisibleButton, reinterpret_cast<LPARAM>(&buttons));
  Expect(buttons == std::vector<int>{IDOK}, "warning box buttons are not OK alone");
  PostMessageW(box, WM_COMMAND, IDOK, 0);
}

// Runs the tool and waits for it, answering the messages its MoveWindow calls
// send to our windows and handling the warning box when it comes.
DWORD RunTool(const std::string& exe, const char* commandLine, bool warns, HWND foreground) {
  std::string line = commandLine;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  Require(CreateProcessA(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                         &startup, &process),
          "cannot start " + exe);
  CloseHandle(process.hThread);
  bool boxSeen = false;
  DWORD deadline = GetTickCount() + ToolTimeoutMs;
  while (MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 20, QS_ALLINPUT) != WAIT_OBJECT_0) {
    PumpMessages();
    HWND box = FindWindowW(L"#32770", BoxCaption);
    if (box && IsWindowVisible(box) && !boxSeen) {
      boxSeen = true;
      Expect(warns, "warning box shown");
      CheckAndCloseBox(box, foreground);
    }
    if (static_cast<LONG>(GetTickCount() - deadline) > 0) {
      TerminateProcess(process.hProcess, 1);
      CloseHandle(process.hProcess);
      throw std::runtime_error("the tool did not end within " + std::to_string(ToolTimeoutMs) +
                               " ms");
    }
  }
  PumpMessages();
  Expect(boxSeen || !warns, "no warning box shown");
  DWORD exitCode = 1;
  GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(process.hProcess);
  return exitCode;
}

void RunScenario(const Scenario& scenario, const std::string& exe) {
  CheckCodePage();
  const RECT workArea = CheckedWorkArea();

  std::vector<HWND> windows;
  for (const WindowRow& row : scenario.windows) {
    windows.push_back(CreateRowWindow(row, static_cast<int>(windows.size()), workArea));
  }
  HWND foreground = nullptr;
  if (scenario.foreground == NoForeground) {
    LeaveNoForegroundWindow();
  } else {
    foreground = windows[scenario.foreground];
    SetForegroundWindow(foreground);
  }
  PumpMessages();
  Require(GetForegroundWindow() == foreground, "foreground window did not take");

  std::vector<WindowState> before;
  for (HWND window : windows) before.push_back(StateOf(window));
  moveRequests.clear();

  Expect(RunTool(exe, scenario.commandLine, scenario.warns, foreground) == 0, "exit code not 0");

  if (!scenario.warns) {
    Expect(GetForegroundWindow() == foreground, "foreground window changed");
  }
  for (std::size_t i = 0; i < windows.size(); ++i) {
    const WindowRow& row = scenario.windows[i];
    WindowState expected = before[i];
    if (row.moves) {
      expected.rect.top = workArea.top;
      expected.rect.bottom = workArea.bottom;
    }
    WindowState after = StateOf(windows[i]);
    std::string name = "window " + std::to_string(i) + " (" + row.className + ")";
    Expect(after == expected, name + ": " + ToString(before[i]) + " became " + ToString(after) +
                                  ", expected " + ToString(expected));
    Expect(moveRequests[windows[i]] == (row.moves ? 1 : 0),
           name + ": moved " + std::to_string(moveRequests[windows[i]]) + " times");
  }
}

// The manifest as the Windows loader finds it in the exe: resource 1 of type
// RT_MANIFEST, declaring per-monitor DPI awareness so that every coordinate the
// tool reads and sets is a physical pixel.
void CheckManifest(const std::string& exe) {
  HMODULE image = LoadLibraryExA(exe.c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  Require(image != nullptr, "cannot load " + exe + " as data");
  HRSRC resource = FindResourceA(image, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
  Expect(resource != nullptr, "no manifest resource 1");
  if (resource) {
    const char* bytes = static_cast<const char*>(LockResource(LoadResource(image, resource)));
    std::string manifest(bytes, SizeofResource(image, resource));
    for (const char* declaration :
         {"<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">"
          "PerMonitorV2, PerMonitor</dpiAwareness>",
          "<requestedExecutionLevel level=\"asInvoker\"", "Microsoft.Windows.Common-Controls"}) {
      Expect(manifest.find(declaration) != std::string::npos,
             std::string("manifest lacks ") + declaration);
    }
  }
  FreeLibrary(image);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::printf("usage: ardeno_e2e ARDENO_EXE SCENARIO\n");
    return 2;
  }
  if (argv[2] == std::string("manifest")) {
    CheckManifest(argv[1]);
    std::printf("manifest: %s\n", failures == 0 ? "passed" : "FAILED");
    return failures == 0 ? 0 : 1;
  }
  for (const Scenario& scenario : Scenarios) {
    if (scenario.name != std::string(argv[2])) continue;
    try {
      RunScenario(scenario, argv[1]);
    } catch (const std::exception& e) {
      std::printf("FAILED: %s\n", e.what());
      return 1;
    }
    std::printf("%s: %s\n", scenario.name, failures == 0 ? "passed" : "FAILED");
    return failures == 0 ? 0 : 1;
  }
  std::printf("no scenario named %s\n", argv[2]);
  return 2;
}
