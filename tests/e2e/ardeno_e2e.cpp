// End-to-end scenarios: real windows on a real Win32 desktop (Wine or Windows)
// and the real ardeno.exe started against them, one scenario per process.
//
//   ardeno_e2e ARDENO_EXE SCENARIO [--show | --keep]
//   ardeno_e2e ARDENO_EXE manifest
//   ardeno_e2e ARDENO_EXE desktop-set-up   checks the desktop against the environment
//   ardeno_e2e --registered NAME...   fails naming each row not among the NAMEs
//
// --show prints every window's state before and after the tool; --keep does
// too, then keeps the windows up, as the tool left them, until Enter is pressed.
//
// The desktop is described by the environment, so that a wrongly set-up desktop
// fails instead of passing trivially: ARDENO_E2E_DISPLAYS lists its displays,
// the main one first, each as "left,top,width,height/left,top,width,height"
// (the display, then its work area, in screen coordinates), and ARDENO_E2E_ACP
// is the ANSI code page.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// Who owns a row's window.
enum Owner {
  NoOwner,
  HiddenOwner,            // a hidden application window, as the editor's framework makes it
  HiddenMinimizedOwner,   // that window minimized: the editor application is minimized
  VisibleOwner,           // a visible application window, not minimized
  VisibleMinimizedOwner,  // a visible application window, minimized
};

// The state a row's window is in when the tool starts.
enum State {
  Normal,     // shown, neither maximized nor minimized
  Maximized,  // shown maximized
  Minimized,  // shown, then minimized
  Hidden,     // never shown
  OffLeft,    // shown, sticking out past the left edge of the screen
  AtTarget,   // shown, already as tall as the work area
  Hangs,      // shown, on a thread that stops answering for HangMs as the tool starts;
              // these rows come last and share that one thread
  // On the second display; rows with these run only where there are two
  // displays, and their names begin with "two-displays-".
  OnSecond,           // shown, wholly on the second display
  HiddenOnSecond,     // never shown, placed on the second display
  MaximizedOnSecond,  // shown maximized on the second display
  MostlyOnMain,       // shown across both, its top-left corner on the second, most on the main
  MostlyOnSecond,     // shown across both, most of it on the second, its right edge on the main
};

// What the tool must do to a row's window.
enum Move {
  Stays,
  Moves,          // stretched, once, to the main display's work area
  MovesToSecond,  // stretched, once, to the second display's work area
  // The move an ended tool left waiting on a hung window: made whole once the
  // window answers (Wine makes it then), or not at all.
  Pending,
};

struct WindowRow {
  const char* className;
  Owner owner;
  State state;
  Move moves;
};

// How the tool's run goes.
enum Run {
  Quiet,  // runs to its end without a box
  Warns,  // the warning box must appear, owned by the foreground window
  Ended,  // ended (TerminateProcess) while it waits on the first window that Hangs
};

struct Scenario {
  const char* name;
  const char* commandLine;  // as the tool sees it, program name first
  int foreground;           // index into windows, or NoForeground
  Run run;
  std::vector<WindowRow> windows;  // top of the z-order first, but for the foreground window
};

constexpr int NoForeground = -1;
constexpr char Plain[] = "ardeno.exe";
constexpr char All[] = "ardeno.exe /all";
constexpr char Display[] = "ardeno.exe /display";
constexpr char AllDisplay[] = "ardeno.exe /all /display";

constexpr char Editor[] = "TMorvelMainForm";
constexpr char EditorDialog[] = "TMorvelFindDialog";
constexpr char OtherApp[] = "Notepad";
constexpr char ApplicationClass[] = "TApplication";

// An editor in front and another behind it: the one behind moves only with "/all".
const std::vector<WindowRow> AllMode{{Editor, HiddenOwner, Normal, Moves},
                                     {Editor, HiddenOwner, Normal, Moves}};
const std::vector<WindowRow> SingleMode{{Editor, HiddenOwner, Normal, Moves},
                                        {Editor, HiddenOwner, Normal, Stays}};
const WindowRow Behind{Editor, HiddenOwner, Normal, Stays};
const WindowRow Other{OtherApp, NoOwner, Normal, Stays};

// One scenario per row; the names become CTest's test names.
// clang-format off
const Scenario Scenarios[] = {
    {"editor-in-front", Plain, 0, Quiet, {{Editor, HiddenOwner, Normal, Moves}}},
    {"unowned-editor-in-front", Plain, 0, Quiet, {{Editor, NoOwner, Normal, Moves}}},
    {"only-the-front-editor", Plain, 1, Quiet,
     {Behind, {Editor, HiddenOwner, Normal, Moves}, {Editor, NoOwner, Normal, Stays}}},
    {"other-app-in-front", Plain, 0, Warns, {Other, Behind}},
    {"lower-case-class-in-front", Plain, 0, Warns, {{"tmorvelmainform", HiddenOwner, Normal, Stays}}},
    {"longer-class-in-front", Plain, 0, Warns, {{"TMorvelMainFormX", HiddenOwner, Normal, Stays}, Behind}},
    {"editor-dialog-in-front", Plain, 0, Warns, {{EditorDialog, HiddenOwner, Normal, Stays}, Behind}},
    {"no-foreground-window", Plain, NoForeground, Warns, {Behind}},
    {"maximized-editor", Plain, 0, Quiet, {{Editor, HiddenOwner, Maximized, Stays}}},
    {"owner-minimized", Plain, 0, Quiet, {{Editor, HiddenMinimizedOwner, Normal, Stays}}},
    {"owner-visible", Plain, 0, Quiet, {{Editor, VisibleOwner, Normal, Moves}}},
    {"owner-visible-minimized", Plain, 0, Quiet, {{Editor, VisibleMinimizedOwner, Normal, Stays}}},
    {"off-left-editor", Plain, 0, Quiet, {{Editor, HiddenOwner, OffLeft, Moves}}},
    {"editor-at-target", Plain, 0, Quiet, {{Editor, HiddenOwner, AtTarget, Moves}}},

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
    {"switch-display-alone", Display, 0, Quiet, SingleMode},
    {"switch-all-display", AllDisplay, 0, Quiet, AllMode},
    {"switch-display-other-app-in-front", AllDisplay, 0, Warns, {Other, Behind}},

    {"all-other-app-in-front", All, 0, Warns, {Other, Behind, Behind}},
    {"all-one-editor", All, 0, Quiet,
     {{Editor, HiddenOwner, Normal, Moves}, {EditorDialog, HiddenOwner, Normal, Stays}}},
    {"all-skips-maximized", All, 0, Quiet,
     {{Editor, HiddenOwner, Normal, Moves}, {Editor, HiddenOwner, Maximized, Stays},
      {Editor, HiddenOwner, OffLeft, Moves}}},
    {"all-maximized-editor-in-front", All, 0, Quiet,
     {{Editor, HiddenOwner, Maximized, Stays}, {Editor, HiddenOwner, Normal, Moves}}},
    {"all-skips-minimized-owner", All, 0, Quiet,
     {{Editor, NoOwner, Normal, Moves}, {Editor, HiddenMinimizedOwner, Normal, Stays},
      {Editor, HiddenOwner, AtTarget, Moves}}},
    {"all-minimized-editor-behind", All, 0, Quiet,
     {{Editor, HiddenOwner, Normal, Moves}, {Editor, NoOwner, Minimized, Stays}}},
    {"all-minimized-among-others", All, 0, Quiet,
     {{Editor, HiddenOwner, Normal, Moves}, {Editor, HiddenOwner, Minimized, Stays},
      {Editor, NoOwner, Normal, Moves}, {Editor, NoOwner, Minimized, Stays}}},
    {"all-visible-owners", All, 0, Quiet,
     {{Editor, HiddenOwner, Normal, Moves}, {Editor, VisibleOwner, Normal, Moves},
      {Editor, VisibleMinimizedOwner, Normal, Stays}}},
    {"all-other-classes-untouched", All, 0, Quiet,
     {{Editor, HiddenOwner, Normal, Moves}, {EditorDialog, HiddenOwner, Normal, Stays}, Other,
      {"TMorvelMainFormX", HiddenOwner, Normal, Stays}, {ApplicationClass, NoOwner, Normal, Stays}}},
    {"all-hidden-editor", All, 0, Quiet,
     {{Editor, HiddenOwner, Normal, Moves}, {Editor, HiddenOwner, Hidden, Moves}}},

    {"two-displays-plain-on-second", Plain, 0, Quiet, {{Editor, HiddenOwner, OnSecond, Moves}}},
    {"two-displays-all", All, 0, Quiet,
     {{Editor, HiddenOwner, Normal, Moves}, {Editor, HiddenOwner, OnSecond, Moves},
      {Editor, NoOwner, MostlyOnSecond, Moves}, {Editor, HiddenOwner, HiddenOnSecond, Moves}}},
    {"two-displays-display", Display, 0, Quiet,
     {{Editor, HiddenOwner, OnSecond, MovesToSecond}, {Editor, HiddenOwner, OnSecond, Stays}}},
    {"two-displays-all-display", AllDisplay, 0, Quiet,
     {{Editor, HiddenOwner, Normal, Moves}, {Editor, HiddenOwner, OnSecond, MovesToSecond},
      {Editor, NoOwner, OnSecond, MovesToSecond}, {EditorDialog, HiddenOwner, OnSecond, Stays}}},
    {"two-displays-display-then-all", "ardeno.exe /Display \"/all\"", 0, Quiet,
     {{Editor, HiddenOwner, OnSecond, MovesToSecond}, {Editor, HiddenOwner, Normal, Moves}}},
    {"two-displays-not-the-switch", "ardeno.exe /displays -display", 0, Quiet,
     {{Editor, HiddenOwner, OnSecond, Moves}}},
    {"two-displays-mostly-on-main", Display, 0, Quiet,
     {{Editor, HiddenOwner, MostlyOnMain, Moves}}},
    {"two-displays-mostly-on-second", Display, 0, Quiet,
     {{Editor, HiddenOwner, MostlyOnSecond, MovesToSecond}}},
    {"two-displays-hidden-on-second", AllDisplay, 0, Quiet,
     {{Editor, HiddenOwner, Normal, Moves}, {Editor, HiddenOwner, HiddenOnSecond, MovesToSecond}}},
    {"two-displays-left-alone-on-second", AllDisplay, 0, Quiet,
     {{Editor, HiddenOwner, OnSecond, MovesToSecond},
      {Editor, HiddenOwner, MaximizedOnSecond, Stays},
      {Editor, HiddenMinimizedOwner, OnSecond, Stays},
      {Editor, VisibleMinimizedOwner, OnSecond, Stays}}},

    {"all-waits-for-hung-editor", All, 0, Quiet,
     {{Editor, HiddenOwner, Normal, Moves}, {Editor, HiddenOwner, Normal, Moves},
      {Editor, HiddenOwner, Hangs, Moves}, {Editor, HiddenOwner, Hangs, Moves}}},
    {"all-ended-while-waiting", All, 0, Ended,
     {{Editor, HiddenOwner, Normal, Moves}, {Editor, HiddenOwner, Normal, Moves},
      {Editor, HiddenOwner, Hangs, Pending}, {Editor, HiddenOwner, Hangs, Stays}}},
};
// clang-format on

constexpr wchar_t BoxCaption[] = L"Ardeno Ver.0.01";
constexpr wchar_t BoxText[] = L"Morvelの[ツール]から実行して下さい。";
constexpr int BoxTextId = 0xFFFF;
constexpr DWORD BoxPaintMs = 2000;
constexpr DWORD ToolTimeoutMs = 15000;
// The window that Hangs stops answering for HangMs from just before the tool
// starts; the windows are looked at once MidHangMs into that, while the tool
// must be waiting on it.
constexpr DWORD HangMs = 3000;
constexpr DWORD MidHangMs = 2000;
constexpr DWORD AnswerMs = 2000;

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
  char value[256];
  DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
  Require(length > 0 && length < sizeof value, std::string(name) + " is not set");
  return value;
}

// A display: its rectangle and its work area, in screen coordinates.
struct Monitor {
  RECT monitor;
  RECT workArea;
  bool operator==(const Monitor& other) const {
    return monitor == other.monitor && workArea == other.workArea;
  }
};

std::string ToString(const std::vector<Monitor>& displays) {
  std::string text =
      std::to_string(displays.size()) + (displays.size() == 1 ? " display" : " displays");
  for (const Monitor& display : displays) {
    text += ", " + ToString(display.monitor) + " work area " + ToString(display.workArea);
  }
  return text;
}

BOOL CALLBACK CollectDisplay(HMONITOR monitor, HDC, RECT*, LPARAM displays) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  Require(GetMonitorInfoW(monitor, &info), "GetMonitorInfo");
  // The main display first, as ARDENO_E2E_DISPLAYS has it.
  auto* list = reinterpret_cast<std::vector<Monitor>*>(displays);
  Monitor display{info.rcMonitor, info.rcWork};
  list->insert(info.dwFlags & MONITORINFOF_PRIMARY ? list->begin() : list->end(), display);
  return TRUE;
}

// The displays the desktop was started with, the main one first, checked
// against what Windows reports. A desktop set up with two displays on which
// Wine sees one fails here, rather than passing as a one-display desktop.
std::vector<Monitor> CheckedDisplays() {
  std::string given = RequiredEnvironment("ARDENO_E2E_DISPLAYS");
  std::istringstream in(given);
  std::vector<Monitor> expected;
  for (std::string item; in >> item;) {
    long m[4], w[4];
    Require(std::sscanf(item.c_str(), "%ld,%ld,%ld,%ld/%ld,%ld,%ld,%ld", &m[0], &m[1], &m[2], &m[3],
                        &w[0], &w[1], &w[2], &w[3]) == 8,
            "ARDENO_E2E_DISPLAYS: not left,top,width,height/left,top,width,height: " + item);
    expected.push_back(
        {{m[0], m[1], m[0] + m[2], m[1] + m[3]}, {w[0], w[1], w[0] + w[2], w[1] + w[3]}});
  }
  Require(!expected.empty(), "ARDENO_E2E_DISPLAYS names no display");
  std::vector<Monitor> seen;
  EnumDisplayMonitors(nullptr, nullptr, CollectDisplay, reinterpret_cast<LPARAM>(&seen));
  Require(
      seen == expected,
      "Windows reports " + ToString(seen) + "; the desktop was started with " + ToString(expected) +
          (seen.size() < expected.size() ? " (is Wine's own-architecture libXinerama.so.1 missing?)"
                                         : ""));
  RECT workArea;
  Require(SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0), "SPI_GETWORKAREA");
  Require(workArea == expected.front().workArea,
          "SPI_GETWORKAREA reports " + ToString(workArea) + ", not the main display's work area");
  return expected;
}

void CheckCodePage() {
  std::string expected = RequiredEnvironment("ARDENO_E2E_ACP");
  Require(std::to_string(GetACP()) == expected,
          "ANSI code page " + std::to_string(GetACP()) + ", expected " + expected);
}

// Counts, in the window's user data, WM_WINDOWPOSCHANGING with both a position
// and a size, as MoveWindow sends it, even when the window is already there.
// Only the window's own thread writes the count. The classes are ANSI, and so
// is the default handling, or the titles would be taken for UTF-16.
LRESULT CALLBACK CountingWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_WINDOWPOSCHANGING) {
    const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
    if (!(pos->flags & (SWP_NOMOVE | SWP_NOSIZE))) {
      SetWindowLongPtrW(window, GWLP_USERDATA, GetWindowLongPtrW(window, GWLP_USERDATA) + 1);
    }
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

LONG_PTR MoveRequests(HWND window) { return GetWindowLongPtrW(window, GWLP_USERDATA); }

void RegisterWindowClass(const char* className) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = CountingWindowProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  // Painted, so that a look at the desktop (tools/e2e --keep) shows the windows.
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
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

// The application window that owns a row's window, in the shape the row asks for.
HWND CreateOwner(Owner shape, const RECT& owned) {
  if (shape == NoOwner) return nullptr;
  bool visible = shape == VisibleOwner || shape == VisibleMinimizedOwner;
  bool minimized = shape == HiddenMinimizedOwner || shape == VisibleMinimizedOwner;
  RECT r = visible ? RECT{owned.left + 20, owned.top + 20, owned.right + 20, owned.bottom + 20}
                   : RECT{0, 0, 0, 0};
  HWND application = Create(ApplicationClass, r, nullptr);
  if (minimized) {
    ShowWindow(application, SW_SHOWMINNOACTIVE);
    // Minimizing shows the window; the framework's application window stays hidden.
    if (!visible) ShowWindow(application, SW_HIDE);
  } else if (visible) {
    ShowWindow(application, SW_SHOWNOACTIVATE);
  }
  Require(IsIconic(application) == minimized && IsWindowVisible(application) == visible,
          "application window not as the row asks");
  return application;
}

bool OnSecondDisplay(State state) {
  return state == OnSecond || state == HiddenOnSecond || state == MaximizedOnSecond ||
         state == MostlyOnMain || state == MostlyOnSecond;
}

// Where a row's window starts. The windows on the second display need it at
// the main display's left, as the two-displays desktop has it.
RECT StartRect(const WindowRow& row, int index, const std::vector<Monitor>& displays) {
  const RECT& main = displays.front().monitor;
  int left = main.left + 40 + 120 * index, top = main.top + 80 + 30 * index;
  if (OnSecondDisplay(row.state)) {
    Require(displays.size() == 2 && displays[1].monitor.right == main.left,
            "the row needs a second display left of the main one: the two-displays desktop");
    left = displays[1].monitor.left + 40 + 80 * index;
  }
  switch (row.state) {
    case OffLeft:
      return {main.left - 150, top, main.left + 350, top + 300};
    case AtTarget:
      return {left, displays.front().workArea.top, left + 500, displays.front().workArea.bottom};
    case MostlyOnMain:
      return {main.left - 100, top, main.left + 400, top + 300};
    case MostlyOnSecond:
      return {main.left - 400, top, main.left + 100, top + 300};
    default:
      return {left, top, left + 500, top + 300};
  }
}

HWND CreateRowWindow(const WindowRow& row, int index, const std::vector<Monitor>& displays) {
  RECT r = StartRect(row, index, displays);
  HWND window = Create(row.className, r, CreateOwner(row.owner, r));
  if (row.state == Maximized || row.state == MaximizedOnSecond) {
    ShowWindow(window, SW_SHOWMAXIMIZED);
    Require(IsZoomed(window), "maximized window");
    Require(
        row.state == Maximized || MonitorFromWindow(window, MONITOR_DEFAULTTONULL) ==
                                      MonitorFromRect(&displays[1].monitor, MONITOR_DEFAULTTONULL),
        "window maximized on another display than the second");
  } else if (row.state == Minimized) {
    ShowWindow(window, SW_SHOWNORMAL);
    ShowWindow(window, SW_SHOWMINNOACTIVE);
    Require(IsIconic(window), "minimized window");
  } else if (row.state != Hidden && row.state != HiddenOnSecond) {
    // Activating the window that hangs would leave its thread activation
    // messages to answer later, and the foreground would move with them.
    ShowWindow(window, row.state == Hangs ? SW_SHOWNOACTIVATE : SW_SHOWNORMAL);
    RECT placed;
    GetWindowRect(window, &placed);
    Require(placed == r, "window placed at " + ToString(placed) + ", not " + ToString(r));
  }
  return window;
}

void PumpMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

// The thread of the windows that Hang: it creates them, answers their messages
// until told to hang, sleeps HangMs without answering, then answers again for
// good. One per scenario process, so it outlives a scenario that fails half-way.
struct HungThread {
  const Scenario* scenario;
  std::vector<HWND>* windows;
  const std::vector<Monitor>* displays;
  HANDLE created, hang, resumed;  // events
  std::string error;
} hungThread;

DWORD WINAPI RunHungThread(void*) {
  try {
    for (int index = static_cast<int>(hungThread.windows->size()) - 1; index >= 0; --index) {
      const WindowRow& row = hungThread.scenario->windows[index];
      if (row.state == Hangs)
        (*hungThread.windows)[index] = CreateRowWindow(row, index, *hungThread.displays);
    }
  } catch (const std::exception& e) {
    hungThread.error = e.what();
  }
  SetEvent(hungThread.created);
  if (!hungThread.error.empty()) return 1;
  while (MsgWaitForMultipleObjects(1, &hungThread.hang, FALSE, INFINITE, QS_ALLINPUT) !=
         WAIT_OBJECT_0) {
    PumpMessages();
  }
  Sleep(HangMs);
  SetEvent(hungThread.resumed);
  for (;;) {
    PumpMessages();
    MsgWaitForMultipleObjectsEx(0, nullptr, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  }
}

void CreateHungWindows(const Scenario& scenario, std::vector<HWND>& windows,
                       const std::vector<Monitor>& displays) {
  hungThread.scenario = &scenario;
  hungThread.windows = &windows;
  hungThread.displays = &displays;
  for (HANDLE* event : {&hungThread.created, &hungThread.hang, &hungThread.resumed}) {
    *event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    Require(*event != nullptr, "CreateEvent");
  }
  HANDLE thread = CreateThread(nullptr, 0, RunHungThread, nullptr, 0, nullptr);
  Require(thread != nullptr, "CreateThread");
  CloseHandle(thread);
  WaitForSingleObject(hungThread.created, INFINITE);
  Require(hungThread.error.empty(), hungThread.error);
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

// What the tool may change about a window, and what it must leave alone. The
// restored rectangle is where a minimized or maximized window comes back to.
struct WindowState {
  RECT rect;
  RECT restored;
  bool visible;
  bool enabled;
  bool zoomed;
  bool iconic;
  bool ownerIconic;
  bool ownerVisible;
};

WindowState StateOf(HWND window) {
  WindowState state{};
  GetWindowRect(window, &state.rect);
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  GetWindowPlacement(window, &placement);
  state.restored = placement.rcNormalPosition;
  state.visible = IsWindowVisible(window) != FALSE;
  state.enabled = IsWindowEnabled(window) != FALSE;
  state.zoomed = IsZoomed(window) != FALSE;
  state.iconic = IsIconic(window) != FALSE;
  state.ownerIconic = IsIconic(GetWindow(window, GW_OWNER)) != FALSE;
  state.ownerVisible = IsWindowVisible(GetWindow(window, GW_OWNER)) != FALSE;
  return state;
}

std::string ToString(const WindowState& s) {
  return ToString(s.rect) + " restored " + ToString(s.restored) +
         (s.visible ? " visible" : " hidden") + (s.enabled ? " enabled" : " disabled") +
         (s.zoomed ? " maximized" : "") + (s.iconic ? " minimized" : "") +
         (s.ownerIconic ? " owner-minimized" : "") + (s.ownerVisible ? " owner-visible" : "");
}

// The facts in which two states differ, named, e.g. "rectangle, enabled";
// empty when they are the same.
std::string Differences(const WindowState& a, const WindowState& b) {
  std::string names;
  auto name = [&](bool same, const char* fact) {
    if (!same) names += (names.empty() ? "" : ", ") + std::string(fact);
  };
  name(a.rect == b.rect, "rectangle");
  name(a.restored == b.restored, "restored");
  name(a.visible == b.visible, "visible");
  name(a.enabled == b.enabled, "enabled");
  name(a.zoomed == b.zoomed, "maximized");
  name(a.iconic == b.iconic, "minimized");
  name(a.ownerIconic == b.ownerIconic, "owner-minimized");
  name(a.ownerVisible == b.ownerVisible, "owner-visible");
  return names;
}

bool operator==(const WindowState& a, const WindowState& b) { return Differences(a, b).empty(); }

// A window as StretchWindow leaves it: top and bottom at the work area's, and
// its restored rectangle moved with it, as a window neither minimized nor
// maximized keeps the two together.
WindowState Stretched(WindowState state, const RECT& workArea) {
  state.restored.top += workArea.top - state.rect.top;
  state.restored.bottom += workArea.bottom - state.rect.bottom;
  state.rect.top = workArea.top;
  state.rect.bottom = workArea.bottom;
  return state;
}

// One line a window for --show: its state and the move requests it got.
void Show(const Scenario& scenario, const std::vector<HWND>& windows, const std::string& when) {
  std::printf("%s\n", when.c_str());
  for (std::size_t i = 0; i < windows.size(); ++i) {
    std::printf("  window %zu (%s): %s; move requests: %ld\n", i, scenario.windows[i].className,
                ToString(StateOf(windows[i])).c_str(), static_cast<long>(MoveRequests(windows[i])));
  }
}

// Each window as it must be at the time when: stretched once, as before and
// not moved, or either way.
void CheckWindows(const Scenario& scenario, const std::vector<HWND>& windows,
                  const std::vector<WindowState>& before, const std::vector<Move>& moves,
                  const std::vector<Monitor>& displays, const std::string& when) {
  for (std::size_t i = 0; i < windows.size(); ++i) {
    const Monitor& display = moves[i] == MovesToSecond ? displays.at(1) : displays.front();
    WindowState stretched = Stretched(before[i], display.workArea);
    WindowState now = StateOf(windows[i]);
    LONG_PTR count = MoveRequests(windows[i]);
    bool asBefore = now == before[i] && count == 0, asStretched = now == stretched && count == 1;
    bool ok = moves[i] == Stays     ? asBefore
              : moves[i] == Pending ? asBefore || asStretched
                                    : asStretched;
    const WindowState& expected = moves[i] == Stays ? before[i] : stretched;
    std::string differences = moves[i] == Pending ? "" : Differences(now, expected);
    Expect(ok, "window " + std::to_string(i) + " (" + scenario.windows[i].className + ") " + when +
                   ": " + ToString(before[i]) + " became " + ToString(now) + ", moved " +
                   std::to_string(count) + " times, expected " +
                   (moves[i] == Stays ? "no move" : ToString(stretched.rect) + " once") +
                   (differences.empty() ? "" : "; differs in " + differences));
  }
}

// The windows in the order EnumWindows, and so the tool's sweep, meets them.
struct EnumerationOrder {
  const std::vector<HWND>* windows;
  std::vector<std::size_t> indices;
};

BOOL CALLBACK CollectRowWindow(HWND window, LPARAM context) {
  auto* order = reinterpret_cast<EnumerationOrder*>(context);
  for (std::size_t i = 0; i < order->windows->size(); ++i) {
    if ((*order->windows)[i] == window) order->indices.push_back(i);
  }
  return TRUE;
}

std::vector<std::size_t> EnumeratedIndices(const std::vector<HWND>& windows) {
  EnumerationOrder order{&windows, {}};
  EnumWindows(CollectRowWindow, reinterpret_cast<LPARAM>(&order));
  return order.indices;
}

std::wstring WindowText(HWND window) {
  wchar_t text[256] = L"";
  GetWindowTextW(window, text, 256);
  return text;
}

std::wstring ClassOf(HWND window) {
  wchar_t className[64] = L"";
  GetClassNameW(window, className, 64);
  return className;
}

BOOL CALLBACK CollectVisibleButton(HWND child, LPARAM buttons) {
  if (ClassOf(child) == L"Button" && IsWindowVisible(child)) {
    reinterpret_cast<std::vector<int>*>(buttons)->push_back(GetDlgCtrlID(child));
  }
  return TRUE;
}

BOOL CALLBACK FindIconControl(HWND child, LPARAM found) {
  if (ClassOf(child) != L"Static" || (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) {
    return TRUE;
  }
  *reinterpret_cast<HWND*>(found) = child;
  return FALSE;
}

// The pixels of a width by height bitmap drawn by draw on a compatible memory DC.
template <typename Draw>
std::vector<COLORREF> Pixels(int width, int height, Draw draw) {
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  draw(memory, screen);
  std::vector<COLORREF> pixels;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) pixels.push_back(GetPixel(memory, x, y));
  }
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return pixels;
}

// Whether the box's icon control shows, on the screen, the exclamation mark as
// this process draws it on the same background. Icon handles belong to their
// process, so the box's own handle says nothing here.
bool ShowsExclamationMark(HWND box) {
  HWND icon = nullptr;
  EnumChildWindows(box, FindIconControl, reinterpret_cast<LPARAM>(&icon));
  if (!icon) return false;
  RECT r;
  GetWindowRect(icon, &r);
  int width = r.right - r.left, height = r.bottom - r.top;
  std::vector<COLORREF> shown = Pixels(width, height, [&](HDC memory, HDC screen) {
    BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
  });
  std::vector<COLORREF> exclamation = Pixels(width, height, [&](HDC memory, HDC) {
    // The corner is clear in the icon: it shows the background.
    HBRUSH background = CreateSolidBrush(shown[0]);
    RECT all{0, 0, width, height};
    FillRect(memory, &all, background);
    DeleteObject(background);
    DrawIconEx(memory, 0, 0, LoadIconA(nullptr, IDI_EXCLAMATION), width, height, 0, nullptr,
               DI_NORMAL);
  });
  return shown == exclamation;
}

// Checks the warning box against what the user must see, then presses OK. The
// icon may be painted a little after the box shows.
void CheckAndCloseBox(HWND box, HWND expectedOwner) {
  Expect(GetWindow(box, GW_OWNER) == expectedOwner,
         "warning box not owned by the foreground window");
  Expect(WindowText(GetDlgItem(box, BoxTextId)) == BoxText, "warning box text differs");
  std::vector<int> buttons;
  EnumChildWindows(box, CollectVisibleButton, reinterpret_cast<LPARAM>(&buttons));
  Expect(buttons == std::vector<int>{IDOK}, "warning box buttons are not OK alone");
  bool exclamation = ShowsExclamationMark(box);
  for (DWORD start = GetTickCount(); !exclamation && GetTickCount() - start < BoxPaintMs;) {
    PumpMessages();
    Sleep(50);
    exclamation = ShowsExclamationMark(box);
  }
  Expect(exclamation, "warning box icon is not the exclamation mark");
  PostMessageW(box, WM_COMMAND, IDOK, 0);
}

// Runs the tool and waits for it, answering the messages its MoveWindow calls
// send to our windows and handling the warning box when it comes. With a
// window that Hangs, its thread stops answering just before the tool starts,
// and duringHang runs MidHangMs later; the tool must not have ended by then.
template <typename DuringHang>
DWORD RunTool(const std::string& exe, const Scenario& scenario, HWND foreground, bool hangs,
              DuringHang duringHang) {
  std::string line = scenario.commandLine;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  DWORD hangStart = GetTickCount();
  if (hangs) SetEvent(hungThread.hang);
  Require(CreateProcessA(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                         &startup, &process),
          "cannot start " + exe);
  CloseHandle(process.hThread);
  bool boxSeen = false, hangSeen = false;
  DWORD deadline = GetTickCount() + ToolTimeoutMs;
  while (MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 20, QS_ALLINPUT) != WAIT_OBJECT_0) {
    PumpMessages();
    HWND box = FindWindowW(L"#32770", BoxCaption);
    if (box && IsWindowVisible(box) && !boxSeen) {
      boxSeen = true;
      Expect(scenario.run == Warns, "warning box shown");
      CheckAndCloseBox(box, foreground);
    }
    if (hangs && !hangSeen && GetTickCount() - hangStart >= MidHangMs) {
      hangSeen = true;
      duringHang(process.hProcess);
    }
    if (static_cast<LONG>(GetTickCount() - deadline) > 0) {
      TerminateProcess(process.hProcess, 1);
      CloseHandle(process.hProcess);
      throw std::runtime_error("the tool did not end within " + std::to_string(ToolTimeoutMs) +
                               " ms");
    }
  }
  PumpMessages();
  Expect(boxSeen || scenario.run != Warns, "no warning box shown");
  Expect(hangSeen || !hangs, "the tool ended " + std::to_string(GetTickCount() - hangStart) +
                                 " ms into the hang, before the hung window answered");
  DWORD exitCode = 1;
  GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(process.hProcess);
  return exitCode;
}

void RunScenario(const Scenario& scenario, const std::string& exe, bool show) {
  CheckCodePage();
  const std::vector<Monitor> displays = CheckedDisplays();

  // Created bottom row first, as a window shown comes to the top; the windows
  // that Hang, at the bottom, on their own thread.
  std::vector<HWND> windows(scenario.windows.size());
  auto firstHung = std::find_if(scenario.windows.begin(), scenario.windows.end(),
                                [](const WindowRow& row) { return row.state == Hangs; });
  bool hangs = firstHung != scenario.windows.end();
  Require(std::all_of(firstHung, scenario.windows.end(),
                      [](const WindowRow& row) { return row.state == Hangs; }),
          "the windows that hang are the bottom rows");
  Require(scenario.run != Ended || hangs, "the tool is ended only while it waits on a window");
  if (hangs) CreateHungWindows(scenario, windows, displays);
  for (int index = static_cast<int>(firstHung - scenario.windows.begin()) - 1; index >= 0;
       --index) {
    windows[index] = CreateRowWindow(scenario.windows[index], index, displays);
  }
  HWND foreground = nullptr;
  if (scenario.foreground == NoForeground) {
    LeaveNoForegroundWindow();
  } else {
    foreground = windows[scenario.foreground];
    SetForegroundWindow(foreground);
  }
  // Taking the foreground from another thread's window takes a message round.
  for (DWORD start = GetTickCount();
       GetForegroundWindow() != foreground && GetTickCount() - start < AnswerMs;) {
    PumpMessages();
    Sleep(10);
  }
  Require(GetForegroundWindow() == foreground, "foreground window did not take");

  std::vector<WindowState> before;
  for (HWND window : windows) {
    before.push_back(StateOf(window));
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  }
  if (show) {
    Show(scenario, windows,
         "before the tool: " + ToString(displays) + "; foreground window " +
             (foreground ? std::to_string(scenario.foreground) : "none") + ", command line " +
             scenario.commandLine);
  }

  DWORD exitCode = RunTool(exe, scenario, foreground, hangs, [&](HANDLE tool) {
    // The tool waits on the first window that hangs it meets: the windows it
    // met before that one are stretched, the others not yet.
    std::vector<Move> moves(windows.size(), Stays);
    std::vector<std::size_t> order = EnumeratedIndices(windows);
    auto waitedOn = std::find_if(order.begin(), order.end(),
                                 [&](std::size_t i) { return scenario.windows[i].state == Hangs; });
    Require(waitedOn != order.begin() && waitedOn + 1 != order.end(),
            "row windows before and after the first window that hangs");
    for (auto i = order.begin(); i != waitedOn; ++i) moves[*i] = scenario.windows[*i].moves;
    CheckWindows(scenario, windows, before, moves, displays, "while the tool waits");
    if (scenario.run == Ended) {
      Require(TerminateProcess(tool, 1) && WaitForSingleObject(tool, ToolTimeoutMs) == 0,
              "cannot end the tool");
    }
  });
  if (scenario.run != Ended) Expect(exitCode == 0, "exit code not 0");
  if (scenario.run != Warns) {
    Expect(GetForegroundWindow() == foreground, "foreground window changed");
  }

  // Every window answers again, the hung one once its thread is back; a move
  // the tool left pending with it has been handled by then.
  if (hangs) WaitForSingleObject(hungThread.resumed, HangMs + AnswerMs);
  for (std::size_t i = 0; i < windows.size(); ++i) {
    DWORD_PTR result;
    Expect(SendMessageTimeoutW(windows[i], WM_NULL, 0, 0, SMTO_NORMAL, AnswerMs, &result) != 0,
           "window " + std::to_string(i) + " does not answer");
  }
  PumpMessages();

  if (show) Show(scenario, windows, "after the tool: exit code " + std::to_string(exitCode));
  std::vector<Move> moves;
  for (const WindowRow& row : scenario.windows) moves.push_back(row.moves);
  CheckWindows(scenario, windows, before, moves, displays, "after the tool");
}

DWORD WINAPI WaitForEnter(void* pressed) {
  for (int c = std::getchar(); c != '\n' && c != EOF;) c = std::getchar();
  SetEvent(pressed);
  return 0;
}

// Keeps the windows up, painted, until Enter is pressed, so that the desktop
// can be looked at or photographed.
void KeepWindowsUp() {
  std::printf("kept up: press Enter to end\n");
  std::fflush(stdout);
  HANDLE pressed = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE reader = CreateThread(nullptr, 0, WaitForEnter, pressed, 0, nullptr);
  if (!pressed || !reader) return;
  CloseHandle(reader);
  while (MsgWaitForMultipleObjects(1, &pressed, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
    PumpMessages();
  }
  CloseHandle(pressed);
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

// CTest finds the rows by their layout in this file; a row laid out otherwise
// would never run. Names every row missing from the names CMake registered.
int CheckRegistered(const std::set<std::string>& registered) {
  for (const Scenario& scenario : Scenarios) {
    if (registered.count(scenario.name) == 0) {
      std::printf("FAILED: row %s is not registered with CTest: lay it out as the others\n",
                  scenario.name);
      ++failures;
    }
  }
  std::printf("registered: %s\n", failures == 0 ? "passed" : "FAILED");
  return failures == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 2 && argv[1] == std::string("--registered")) {
    return CheckRegistered(std::set<std::string>(argv + 2, argv + argc));
  }
  if (argc < 3 || argc > 4 ||
      (argc == 4 && argv[3] != std::string("--show") && argv[3] != std::string("--keep"))) {
    std::printf(
        "usage: ardeno_e2e ARDENO_EXE SCENARIO [--show | --keep] | ardeno_e2e --registered "
        "NAME...\n");
    return 2;
  }
  if (argv[2] == std::string("manifest")) {
    CheckManifest(argv[1]);
    std::printf("manifest: %s\n", failures == 0 ? "passed" : "FAILED");
    return failures == 0 ? 0 : 1;
  }
  if (argv[2] == std::string("desktop-set-up")) {
    try {
      CheckCodePage();
      std::printf("%s\n", ToString(CheckedDisplays()).c_str());
    } catch (const std::exception& e) {
      std::printf("FAILED: %s\n", e.what());
      ++failures;
    }
    std::printf("desktop-set-up: %s\n", failures == 0 ? "passed" : "FAILED");
    return failures == 0 ? 0 : 1;
  }
  const std::string view = argc == 4 ? argv[3] : "";
  for (const Scenario& scenario : Scenarios) {
    if (scenario.name != std::string(argv[2])) continue;
    try {
      RunScenario(scenario, argv[1], !view.empty());
    } catch (const std::exception& e) {
      std::printf("FAILED: %s\n", e.what());
      ++failures;
    }
    std::printf("%s: %s\n", scenario.name, failures == 0 ? "passed" : "FAILED");
    if (view == "--keep") KeepWindowsUp();
    return failures == 0 ? 0 : 1;
  }
  std::printf("no scenario named %s\n", argv[2]);
  return 2;
}
