// Thin forwarding to user32 and kernel32. The one conversion of its own is in
// MessageBoxA, which shows the Shift_JIS texts correctly on any system.
#include "window_manager.h"

#include <windows.h>

#include <new>

namespace platform {
namespace {

static_assert(sizeof(::RECT) == sizeof(RECT), "RECT layouts must agree");
static_assert(sizeof(::MONITORINFO) == sizeof(MONITORINFO), "MONITORINFO layouts must agree");

// The texts the stretcher shows are stored in code page 932, the code page of
// the editor's users.
constexpr UINT MessageCodePage = 932;

::HWND ToWin(HWND window) { return reinterpret_cast<::HWND>(window); }
HWND FromWin(::HWND window) { return reinterpret_cast<HWND>(window); }

struct EnumContext {
  WNDENUMPROC proc;
  LPARAM lParam;
};

BOOL CALLBACK ForwardEnum(::HWND window, ::LPARAM context) {
  const auto* forward = reinterpret_cast<const EnumContext*>(context);
  return forward->proc(FromWin(window), forward->lParam);
}

// A new UTF-16 copy of a code page 932 text, or null when it cannot be made.
wchar_t* WidenFromCodePage932(const char* text) {
  int count = ::MultiByteToWideChar(MessageCodePage, 0, text, -1, nullptr, 0);
  if (count <= 0) return nullptr;
  auto* wide = new (std::nothrow) wchar_t[count];
  if (wide && ::MultiByteToWideChar(MessageCodePage, 0, text, -1, wide, count) != count) {
    delete[] wide;
    return nullptr;
  }
  return wide;
}

}  // namespace

HWND GetForegroundWindow() { return FromWin(::GetForegroundWindow()); }

int GetClassNameA(HWND window, char* className, int maxCount) {
  return ::GetClassNameA(ToWin(window), className, maxCount);
}

BOOL EnumWindows(WNDENUMPROC proc, LPARAM lParam) {
  EnumContext context{proc, lParam};
  return ::EnumWindows(ForwardEnum, reinterpret_cast<::LPARAM>(&context));
}

HWND GetWindow(HWND window, UINT command) { return FromWin(::GetWindow(ToWin(window), command)); }

BOOL IsZoomed(HWND window) { return ::IsZoomed(ToWin(window)); }

BOOL IsIconic(HWND window) { return ::IsIconic(ToWin(window)); }

BOOL GetWindowRect(HWND window, RECT* rect) {
  return ::GetWindowRect(ToWin(window), reinterpret_cast<::RECT*>(rect));
}

BOOL SystemParametersInfoA(UINT action, UINT param, void* value, UINT winIni) {
  return ::SystemParametersInfoA(action, param, value, winIni);
}

HMONITOR MonitorFromRect(const RECT* rect, DWORD flags) {
  return reinterpret_cast<HMONITOR>(
      ::MonitorFromRect(reinterpret_cast<const ::RECT*>(rect), flags));
}

BOOL GetMonitorInfoA(HMONITOR monitor, MONITORINFO* info) {
  return ::GetMonitorInfoA(reinterpret_cast<::HMONITOR>(monitor),
                           reinterpret_cast<::MONITORINFO*>(info));
}

BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint) {
  return ::MoveWindow(ToWin(window), x, y, width, height, repaint);
}

// The bytes are taken as code page 932 whatever the system's ANSI code page
// is, so the Japanese warning does not turn into mojibake on other systems.
int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type) {
  wchar_t* wideText = WidenFromCodePage932(text);
  wchar_t* wideCaption = WidenFromCodePage932(caption);
  int answer = wideText && wideCaption ? ::MessageBoxW(ToWin(owner), wideText, wideCaption, type)
                                       : ::MessageBoxA(ToWin(owner), text, caption, type);
  delete[] wideText;
  delete[] wideCaption;
  return answer;
}

DWORD CharLowerBuffA(char* text, DWORD length) { return ::CharLowerBuffA(text, length); }

const char* GetCommandLineA() { return ::GetCommandLineA(); }

}  // namespace platform
