// Lays out a desktop of editor windows, then times programs that act on it.
//
//   bench_desktop EDITORS OTHERS RUNS COMMAND...
//
// Makes EDITORS editor main windows and OTHERS hidden windows of another
// class, puts the first editor window in the foreground, and runs every
// COMMAND RUNS times, taking turns, after one round that is not timed. Each
// run is timed from CreateProcess to the process's end, and the editor windows
// are put back where they were after it, so that every run does the same work.
// Prints "expected <tab> N", the number of editor windows a stretch of all of
// them changes, then one line per command:
//
//   COMMAND <tab> median ms <tab> min ms <tab> max ms <tab> paired <tab> stretched
//
// where paired is the median, over the rounds, of the run's time divided by
// the first command's in the same round: the runs of one round are close in
// time, so the machine's changing load cancels out of it. stretched is the
// number of editor windows the command stretched.
//
// Exits with 1 when a run fails or hangs, or leaves an editor window neither
// where it was nor stretched.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr char EditorClass[] = "TMorvelMainForm";
constexpr char ApplicationClass[] = "TApplication";
constexpr char OtherClass[] = "BenchOtherWindow";
constexpr DWORD RunTimeoutMs = 60000;
// How long the queue must stay empty before the desktop counts as settled.
constexpr DWORD QuietMs = 20;

struct Editor {
  HWND window;
  RECT start;  // screen coordinates, before any run
  bool stretchable;
};

struct Command {
  const char* line;
  std::vector<double> milliseconds;
  int stretched;
};

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "bench_desktop: %s (error %lu)\n", what, GetLastError());
  std::exit(1);
}

void Register(const char* className) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = className;
  if (!RegisterClassA(&windowClass)) Fail("RegisterClassA");
}

HWND Create(const char* className, DWORD style, const RECT& rect, HWND owner) {
  HWND window =
      CreateWindowExA(0, className, className, style, rect.left, rect.top, rect.right - rect.left,
                      rect.bottom - rect.top, owner, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (!window) Fail("CreateWindowExA");
  return window;
}

// Editor windows as the editor makes them: a hidden application window owns
// each main window. Every tenth is maximized and every tenth from the fifth
// has its application minimized; the tool leaves both kinds alone. Left edges
// vary, a few of them off the screen.
std::vector<Editor> CreateEditors(int count) {
  std::vector<Editor> editors;
  for (int i = 0; i < count; ++i) {
    bool maximized = i % 10 == 9;
    bool ownerMinimized = i % 10 == 4;
    HWND owner = Create(ApplicationClass, WS_POPUP | (ownerMinimized ? WS_MINIMIZE : 0),
                        RECT{0, 0, 0, 0}, nullptr);
    int left = i * 37 % 900 - 40;
    int top = 80 + i % 7 * 10;
    HWND window =
        Create(EditorClass, WS_OVERLAPPEDWINDOW, RECT{left, top, left + 400, top + 300}, owner);
    ShowWindow(window, maximized ? SW_SHOWMAXIMIZED : SW_SHOWNOACTIVATE);
    editors.push_back({window, RECT{}, !maximized && !ownerMinimized});
  }
  return editors;
}

void Pump() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

// Handles messages until none has come for a while, so that the repainting
// after one run is not timed as part of the next.
void Settle() {
  do {
    Pump();
  } while (MsgWaitForMultipleObjectsEx(0, nullptr, QuietMs, QS_ALLINPUT, MWMO_INPUTAVAILABLE) !=
           WAIT_TIMEOUT);
}

// Runs a command line to its end and returns the milliseconds it took. Our
// messages are handled meanwhile: a move of another thread's window waits
// until that thread has handled it, so without this both would hang.
double TimeRun(const char* commandLine) {
  std::string line(commandLine);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  LARGE_INTEGER frequency;
  LARGE_INTEGER begin;
  LARGE_INTEGER end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&begin);
  if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    Fail("CreateProcessA");
  }
  CloseHandle(process.hThread);
  for (;;) {
    DWORD wait = MsgWaitForMultipleObjectsEx(1, &process.hProcess, RunTimeoutMs, QS_ALLINPUT,
                                             MWMO_INPUTAVAILABLE);
    if (wait == WAIT_OBJECT_0) break;
    if (wait != WAIT_OBJECT_0 + 1) {
      TerminateProcess(process.hProcess, 1);
      Fail("a run did not end in time");
    }
    Pump();
  }
  QueryPerformanceCounter(&end);
  DWORD exitCode = 1;
  GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(process.hProcess);
  if (exitCode != 0) Fail("a run ended with a non-zero exit code");
  return 1000.0 * static_cast<double>(end.QuadPart - begin.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

// Counts the editor windows a run has stretched and puts them back. They go
// back without a repaint, which would cost as much again as the run itself
// and is not needed: the next run's moves repaint what they change.
int CountAndRestore(const std::vector<Editor>& editors) {
  RECT workArea;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
  int stretched = 0;
  for (const Editor& editor : editors) {
    RECT now;
    GetWindowRect(editor.window, &now);
    if (EqualRect(&now, &editor.start)) continue;
    RECT target{editor.start.left, workArea.top, editor.start.right, workArea.bottom};
    if (!EqualRect(&now, &target)) Fail("an editor window was moved to the wrong place");
    ++stretched;
    SetWindowPos(editor.window, nullptr, editor.start.left, editor.start.top,
                 editor.start.right - editor.start.left, editor.start.bottom - editor.start.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
  }
  return stretched;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 5) {
    std::fprintf(stderr, "usage: bench_desktop EDITORS OTHERS RUNS COMMAND...\n");
    return 2;
  }
  int editorCount = std::atoi(argv[1]);
  int otherCount = std::atoi(argv[2]);
  int runs = std::atoi(argv[3]);
  if (editorCount < 1 || otherCount < 0 || runs < 1) Fail("bad counts");

  Register(EditorClass);
  Register(ApplicationClass);
  Register(OtherClass);
  std::vector<Editor> editors = CreateEditors(editorCount);
  for (int i = 0; i < otherCount; ++i)
    Create(OtherClass, WS_OVERLAPPED, RECT{0, 0, 200, 100}, nullptr);
  HWND front = editors.front().window;
  SetForegroundWindow(front);
  Settle();
  for (Editor& editor : editors) GetWindowRect(editor.window, &editor.start);

  std::vector<Command> commands;
  for (int i = 4; i < argc; ++i) commands.push_back({argv[i], {}, -1});
  int commandCount = static_cast<int>(commands.size());
  std::printf("expected\t%d\n",
              static_cast<int>(std::count_if(editors.begin(), editors.end(),
                                             [](const Editor& e) { return e.stretchable; })));

  // Round -1 warms up; each later round starts with the next command in turn.
  for (int round = -1; round < runs; ++round) {
    for (int k = 0; k < commandCount; ++k) {
      Command& command = commands[(round + 1 + k) % commandCount];
      if (GetForegroundWindow() != front && !SetForegroundWindow(front)) {
        Fail("the editor window cannot be put in the foreground");
      }
      double milliseconds = TimeRun(command.line);
      int stretched = CountAndRestore(editors);
      Settle();
      if (command.stretched >= 0 && stretched != command.stretched) {
        Fail("a command stretched a different number of windows from one run to the next");
      }
      command.stretched = stretched;
      if (round >= 0) command.milliseconds.push_back(milliseconds);
    }
  }

  const std::vector<double>& first = commands.front().milliseconds;
  for (const Command& command : commands) {
    const std::vector<double>& times = command.milliseconds;
    std::vector<double> paired;
    for (size_t i = 0; i < times.size(); ++i) paired.push_back(times[i] / first[i]);
    std::printf("%s\t%.2f\t%.2f\t%.2f\t%.3f\t%d\n", command.line, Median(times),
                *std::min_element(times.begin(), times.end()),
                *std::max_element(times.begin(), times.end()), Median(paired), command.stretched);
  }
  return 0;
}
