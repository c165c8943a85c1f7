// The demo's stand-in desktop: editor main windows, each owned by a hidden
// application window as the editor's framework makes them, another
// application's window and a taskbar strip on each display. It runs ardeno.exe
// against them, prints every window's rectangle before and after each run and
// saves the screen before the first run and after each run as BMP files. On a
// Japanese system its windows have Japanese titles and notes, elsewhere English
// ones.
//
//   stand_in_desktop.exe ARDENO_EXE SHOT_FOLDER                 one display:
//       before, ardeno.exe, ardeno.exe /all, the warning
//   stand_in_desktop.exe ARDENO_EXE SHOT_FOLDER --two-displays  two displays:
//       before, ardeno.exe /all, ardeno.exe /all /display

#define NOMINMAX
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <deque>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr char EditorClass[] = "TMorvelMainForm";
constexpr char HiddenApplicationClass[] = "TApplication";
constexpr char OtherApplicationClass[] = "Notepad";
constexpr char LabelClass[] = "StandInLabel";
constexpr char WarningBoxClass[] = "#32770";
constexpr char WarningBoxCaption[] = "Ardeno Ver.0.01";
constexpr int WarningTextId = 0xFFFF;
constexpr DWORD RunTimeoutMs = 10000;
// Long enough for Wine to paint the moved windows and flush them to X.
constexpr DWORD SettleMs = 400;

enum Language { English, Japanese };

struct StandIn {
  const char* className;
  COLORREF background;
  int display;                   // 0 for the main display, 1 for the second
  int left, top, width, height;  // from the display's left and its work area's top
  bool maximized;
  // What the window says, by Language: its caption, and a note painted into
  // it to explain the picture.
  const wchar_t* captions[2];
  const wchar_t* notes[2];
  HWND window;
};

// clang-format off
StandIn oneDisplay[] = {
    {EditorClass, RGB(226, 232, 240), 0, 40, 60, 600, 400, true,
     {L"Morvel - notes.txt", L"Morvel - 構想メモ.txt"},
     {L"notes.txt is maximized: ardeno.exe leaves it alone",
      L"構想メモ.txt は最大化されていて、背景いっぱいに広がっています。Ardeno は変えません。"},
     nullptr},
    {EditorClass, RGB(255, 244, 200), 0, 300, 170, 340, 300, false,
     {L"Morvel - chapter1.txt", L"Morvel - 第一章.txt"},
     {L"chapter1.txt is in the foreground: ardeno.exe stretches it to the work area's height",
      L"第一章.txt はいちばん手前のウィンドウ。「縦いっぱい」で縦いっぱいになります。"},
     nullptr},
    {EditorClass, RGB(214, 240, 214), 0, 680, 50, 300, 230, false,
     {L"Morvel - chapter2.txt", L"Morvel - 第二章.txt"},
     {L"chapter2.txt is another editor window: only ardeno.exe /all stretches it",
      L"第二章.txt はもう1つの Morvel のウィンドウ。「縦いっぱい（すべて）」で縦いっぱいになります。"},
     nullptr},
    // Its right part lies under the foreground editor window once that is
    // stretched, and comes out on top when this window is in the foreground.
    {OtherApplicationClass, RGB(255, 255, 255), 0, 0, 480, 400, 200, false,
     {L"memo.txt - Notepad", L"買い物.txt - メモ帳"},
     {L"Another application: never moved. In the foreground, it makes ardeno.exe warn.",
      L"メモ帳は Morvel ではないので動かしません。これが手前のときは警告が出ます。"},
     nullptr},
};
constexpr int ForegroundEditor = 1;
constexpr int OtherApplication = 3;

StandIn twoDisplays[] = {
    {EditorClass, RGB(255, 244, 200), 0, 300, 170, 400, 300, false,
     {L"Morvel - chapter1.txt", L"Morvel - 第一章.txt"},
     {L"chapter1.txt is on the main display", L"第一章.txt はメイン ディスプレイにあります。"},
     nullptr},
    {EditorClass, RGB(214, 240, 214), 1, 100, 170, 400, 300, false,
     {L"Morvel - chapter2.txt", L"Morvel - 第二章.txt"},
     {L"chapter2.txt is on the second display: only /display gives it this display's height",
      L"第二章.txt は2台目のディスプレイにあります。/display を付けたときだけ、"
      L"このディスプレイの高さになります。"},
     nullptr},
};
// clang-format on

// The stand-ins of this run, and the language of their texts.
std::vector<StandIn*> standIns;
Language language = English;
constexpr const wchar_t* NoteFonts[] = {L"Tahoma", L"IPAPGothic"};
// Painted on each display's background where there are two, by display and Language.
constexpr const wchar_t* DisplayNames[2][2] = {{L"Main display", L"メイン ディスプレイ"},
                                               {L"Second display", L"2台目のディスプレイ"}};
// By the taskbar's place, above or below the work area, and Language.
constexpr const wchar_t* TaskbarLabels[2][2] = {
    {L"Taskbar: the work area starts below it", L"タスクバー: 作業領域はこの下からです"},
    {L"Taskbar: the work area ends above it", L"タスクバー: 作業領域はこの上までです"}};

HFONT noteFont;
HFONT displayNameFont;

const StandIn* StandInOf(HWND window) {
  return reinterpret_cast<const StandIn*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

// An explanatory note, then numbered grey bars that read as lines of text.
void PaintStandIn(HDC dc, const RECT& client, const StandIn& standIn, const wchar_t* note) {
  HBRUSH background = CreateSolidBrush(standIn.background);
  FillRect(dc, &client, background);
  DeleteObject(background);
  SetBkMode(dc, TRANSPARENT);
  SelectObject(dc, noteFont);
  RECT area = {client.left + 10, client.top + 8, std::min(client.left + 270, client.right - 10),
               client.bottom};
  DrawTextW(dc, note, -1, &area, DT_WORDBREAK | DT_CALCRECT);
  DrawTextW(dc, note, -1, &area, DT_WORDBREAK);
  HBRUSH bar = CreateSolidBrush(RGB(150, 150, 150));
  SetTextColor(dc, RGB(130, 130, 130));
  int line = 1;
  for (int y = area.bottom + 14; y + 16 < client.bottom; y += 20, ++line) {
    char number[8];
    std::snprintf(number, sizeof number, "%3d", line);
    TextOutA(dc, client.left + 6, y, number, lstrlenA(number));
    RECT text = {client.left + 40, y + 5, client.left + 40 + 30 + (line * 53) % 190, y + 11};
    FillRect(dc, &text, bar);
  }
  DeleteObject(bar);
}

LRESULT CALLBACK StandInProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const StandIn* standIn = StandInOf(window);
  if (message != WM_PAINT || !standIn) return DefWindowProcA(window, message, wParam, lParam);
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  RECT client;
  GetClientRect(window, &client);
  PaintStandIn(dc, client, *standIn, standIn->notes[language]);
  EndPaint(window, &paint);
  return 0;
}

// A rectangle of colour with one line of white text: each display's taskbar
// and, where there are two, its background with its name. Its user data
// points to it.
struct Label {
  COLORREF background;
  HFONT font;
  const wchar_t* text;
  UINT format;  // DrawTextW's: where the line goes
};
std::deque<Label> labels;  // a label stays where it is while more are added

LRESULT CALLBACK LabelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto* label = reinterpret_cast<const Label*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (message != WM_PAINT || !label) return DefWindowProcA(window, message, wParam, lParam);
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  RECT client;
  GetClientRect(window, &client);
  HBRUSH background = CreateSolidBrush(label->background);
  FillRect(dc, &client, background);
  DeleteObject(background);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(255, 255, 255));
  SelectObject(dc, label->font);
  InflateRect(&client, -12, -12);
  DrawTextW(dc, label->text, -1, &client, DT_SINGLELINE | label->format);
  EndPaint(window, &paint);
  return 0;
}

// Shows a label over rect; exStyle puts it above all other windows or not.
HWND OpenLabel(const RECT& rect, DWORD exStyle, const Label& label) {
  labels.push_back(label);
  HWND window =
      CreateWindowExA(exStyle | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, LabelClass, "", WS_POPUP,
                      rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, nullptr,
                      nullptr, GetModuleHandleA(nullptr), nullptr);
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&labels.back()));
  ShowWindow(window, SW_SHOWNOACTIVATE);
  return window;
}

void RegisterStandInClass(const char* name, WNDPROC proc) {
  WNDCLASSA windowClass = {};
  // Repaints the whole window when ardeno.exe resizes it, not only the new part.
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = proc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.lpszClassName = name;
  RegisterClassA(&windowClass);
}

BOOL CALLBACK CollectDisplay(HMONITOR monitor, HDC, RECT*, LPARAM displays) {
  MONITORINFO info = {};
  info.cbSize = sizeof info;
  GetMonitorInfoA(monitor, &info);
  auto* list = reinterpret_cast<std::vector<MONITORINFO>*>(displays);
  list->insert(info.dwFlags & MONITORINFOF_PRIMARY ? list->begin() : list->end(), info);
  return TRUE;
}

// The displays with their work areas, the main one first.
std::vector<MONITORINFO> Displays() {
  std::vector<MONITORINFO> displays;
  EnumDisplayMonitors(nullptr, nullptr, CollectDisplay, reinterpret_cast<LPARAM>(&displays));
  return displays;
}

// Each display's background and name, where there are two, so that the
// picture shows where each display is; at the bottom of the z-order.
void OpenWallpapers(const std::vector<MONITORINFO>& displays) {
  for (size_t i = 0; i < displays.size() && displays.size() == 2; ++i) {
    HWND wallpaper = OpenLabel(
        displays[i].rcWork, 0,
        {RGB(58, 110, 165), displayNameFont, DisplayNames[i][language], DT_RIGHT | DT_BOTTOM});
    SetWindowPos(wallpaper, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

// Editor windows first, so that the maximized one ends up at the bottom.
void OpenStandIns(const std::vector<MONITORINFO>& displays) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  OpenWallpapers(displays);
  for (StandIn* standIn : standIns) {
    HWND owner = nullptr;
    if (lstrcmpA(standIn->className, EditorClass) == 0) {
      owner = CreateWindowExA(0, HiddenApplicationClass, "Morvel", WS_POPUP, 0, 0, 0, 0, nullptr,
                              nullptr, instance, nullptr);
    }
    const MONITORINFO& display = displays[standIn->display];
    wchar_t className[64];
    MultiByteToWideChar(CP_ACP, 0, standIn->className, -1, className, 64);
    standIn->window =
        CreateWindowExW(0, className, standIn->captions[language], WS_OVERLAPPEDWINDOW,
                        display.rcMonitor.left + standIn->left, display.rcWork.top + standIn->top,
                        standIn->width, standIn->height, owner, nullptr, instance, nullptr);
    SetWindowLongPtrA(standIn->window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(standIn));
    ShowWindow(standIn->window, standIn->maximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
  }
  // On each display the taskbar fills the strip outside the work area, above
  // or below it.
  for (const MONITORINFO& display : displays) {
    const RECT& screen = display.rcMonitor;
    const RECT& work = display.rcWork;
    const bool above = work.top > screen.top;
    const RECT strip = above ? RECT{screen.left, screen.top, screen.right, work.top}
                             : RECT{screen.left, work.bottom, screen.right, screen.bottom};
    if (strip.bottom <= strip.top) continue;
    OpenLabel(strip, WS_EX_TOPMOST,
              {RGB(64, 64, 64), noteFont, TaskbarLabels[above ? 0 : 1][language], DT_VCENTER});
  }
}

// Answers this thread's messages until done() holds or the time is up. A
// window's owner thread has to: moving a window or showing a box owned by it
// sends messages to that thread, and ardeno.exe waits for the answers.
template <typename Done>
bool PumpUntil(Done done, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start >= timeoutMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
  return true;
}

void PumpFor(DWORD ms) {
  PumpUntil([] { return false; }, ms);
}

// Saves every display, as they stand side by side, as a 24-bit BMP file.
bool SaveScreen(const std::string& path) {
  const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
  const int height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
  BITMAPINFOHEADER header = {};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  const DWORD size = ((width * 3 + 3) & ~3) * height;
  BITMAPFILEHEADER file = {};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof header;
  file.bfSize = file.bfOffBits + size;

  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS,
                                    &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  bool saved = BitBlt(memory, 0, 0, width, height, screen, left, top, SRCCOPY | CAPTUREBLT);
  GdiFlush();
  FILE* out = std::fopen(path.c_str(), "wb");
  saved = saved && out && std::fwrite(&file, sizeof file, 1, out) == 1 &&
          std::fwrite(&header, sizeof header, 1, out) == 1 && std::fwrite(bits, size, 1, out) == 1;
  if (out) saved = std::fclose(out) == 0 && saved;
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return saved;
}

std::string Describe(const RECT& r) {
  char text[48];
  std::snprintf(text, sizeof text, "%d,%d %dx%d", static_cast<int>(r.left), static_cast<int>(r.top),
                static_cast<int>(r.right - r.left), static_cast<int>(r.bottom - r.top));
  return text;
}

std::string Utf8(const wchar_t* text) {
  char utf8[768] = "";
  WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
  return utf8;
}

std::string Caption(HWND window) {
  wchar_t caption[128] = L"";
  GetWindowTextW(window, caption, 128);
  return Utf8(caption);
}

void PrintWarningBox(HWND box) {
  wchar_t text[256] = L"";
  GetDlgItemTextW(box, WarningTextId, text, 256);
  std::printf("  warning box \"%s\", owned by \"%s\": %s\n", Caption(box).c_str(),
              Caption(GetWindow(box, GW_OWNER)).c_str(), Utf8(text).c_str());
}

bool Fail(const char* what) {
  std::fprintf(stderr, "stand_in_desktop: %s\n", what);
  return false;
}

// Starts ardeno.exe with `foreground` in front while answering our windows'
// messages, prints each window's rectangle before and after and saves the
// screen: with the warning box open when one is expected, else afterwards.
bool RunArdeno(const std::string& exe, const char* arguments, HWND foreground,
               const std::string& shot, bool warns) {
  SetForegroundWindow(foreground);
  PumpFor(100);
  if (GetForegroundWindow() != foreground) return Fail("cannot bring a window to the foreground");
  std::vector<RECT> before(standIns.size());
  for (size_t i = 0; i < standIns.size(); ++i) GetWindowRect(standIns[i]->window, &before[i]);

  std::string commandLine = "\"" + exe + "\"" + arguments;
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return Fail("cannot start ardeno.exe");
  }
  CloseHandle(process.hThread);
  std::printf("ardeno.exe%s   (foreground: %s)\n", arguments, Caption(foreground).c_str());
  bool ok = true;
  if (warns) {
    HWND box = nullptr;
    ok = PumpUntil(
        [&] {
          box = FindWindowA(WarningBoxClass, WarningBoxCaption);
          return box && IsWindowVisible(box);
        },
        RunTimeoutMs);
    if (ok) {
      // Wine paints the box's caption inactive although it is the active
      // foreground window; Windows shows it active.
      PostMessageA(box, WM_NCACTIVATE, TRUE, 0);
      PumpFor(SettleMs);
      ok = SaveScreen(shot) || Fail("cannot save the screen");
      PrintWarningBox(box);
      PostMessageA(box, WM_COMMAND, IDOK, 0);
    } else {
      Fail("no warning box");
    }
  }
  const auto exited = [&] { return WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0; };
  if (!PumpUntil(exited, RunTimeoutMs)) {
    TerminateProcess(process.hProcess, 1);
    ok = Fail("ardeno.exe did not end");
  }
  DWORD exitCode = 1;
  GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(process.hProcess);
  if (!warns) {
    PumpFor(SettleMs);
    ok = (SaveScreen(shot) || Fail("cannot save the screen")) && ok;
  }

  for (size_t i = 0; i < standIns.size(); ++i) {
    HWND window = standIns[i]->window;
    RECT after;
    GetWindowRect(window, &after);
    const char* status = !EqualRect(&before[i], &after) ? "moved"
                         : IsZoomed(window)             ? "unchanged (maximized)"
                                                        : "unchanged";
    std::printf("  %-16s %-22s %17s  ->  %-17s  %s\n", standIns[i]->className,
                Caption(window).c_str(), Describe(before[i]).c_str(), Describe(after).c_str(),
                status);
  }
  std::printf("  exit code %lu\n\n", exitCode);
  std::fflush(stdout);
  return ok && exitCode == 0;
}

}  // namespace

int main(int argc, char** argv) {
  const bool two = argc == 4 && argv[3] == std::string("--two-displays");
  if (argc != 3 && !two) {
    std::fprintf(stderr, "usage: stand_in_desktop ARDENO_EXE SHOT_FOLDER [--two-displays]\n");
    return 2;
  }
  const std::string exe = argv[1];
  const std::string shots = std::string(argv[2]) + "\\";
  RegisterStandInClass(EditorClass, StandInProc);
  RegisterStandInClass(OtherApplicationClass, StandInProc);
  RegisterStandInClass(HiddenApplicationClass, DefWindowProcA);
  RegisterStandInClass(LabelClass, LabelProc);
  if (PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE) language = Japanese;

  const std::vector<MONITORINFO> displays = Displays();
  if (two && displays.size() != 2) {
    std::fprintf(stderr, "stand_in_desktop: Wine sees %zu displays, not 2\n", displays.size());
    return 1;
  }
  for (const MONITORINFO& display : displays) {
    std::printf("display %s, work area %s\n", Describe(display.rcMonitor).c_str(),
                Describe(display.rcWork).c_str());
  }
  std::printf("\n");
  if (two) {
    for (StandIn& standIn : twoDisplays) standIns.push_back(&standIn);
  } else {
    for (StandIn& standIn : oneDisplay) standIns.push_back(&standIn);
  }
  noteFont = CreateFontW(-15, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0,
                         NoteFonts[language]);
  displayNameFont = CreateFontW(-56, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0,
                                0, 0, NoteFonts[language]);
  OpenStandIns(displays);
  HWND editor = standIns[two ? 0 : ForegroundEditor]->window;
  PumpFor(SettleMs);
  SetForegroundWindow(editor);
  PumpFor(SettleMs);
  bool ok = SaveScreen(shots + "1-before.bmp") || Fail("cannot save the screen");
  if (two) {
    ok = ok && RunArdeno(exe, " /all", editor, shots + "2-all.bmp", false) &&
         RunArdeno(exe, " /all /display", editor, shots + "3-display.bmp", false);
  } else {
    HWND other = standIns[OtherApplication]->window;
    // The Japanese guide registers both Tools entries with /display, so its
    // picture shows those command lines.
    const std::string entry = language == Japanese ? " /display" : "";
    ok = ok && RunArdeno(exe, entry.c_str(), editor, shots + "2-single.bmp", false) &&
         RunArdeno(exe, (" /all" + entry).c_str(), editor, shots + "3-all.bmp", false) &&
         RunArdeno(exe, entry.c_str(), other, shots + "4-warning.bmp", true);
  }
  DeleteObject(noteFont);
  DeleteObject(displayNameFont);
  return ok ? 0 : 1;
}
