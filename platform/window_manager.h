// The window-manager operations the stretcher needs, under their Windows names
// and with their Windows meanings. window_manager_win32.cpp forwards them to
// user32 and kernel32; memory_desktop.cpp stands in for Windows elsewhere.
// The stretcher reaches the desktop only through this header.
#pragma once

#include <cstdint>

namespace platform {

struct Window;  // opaque; on Windows it is the real HWND
using HWND = Window*;
struct Monitor;  // opaque; on Windows it is the real HMONITOR
using HMONITOR = Monitor*;
using BOOL = int;
using UINT = unsigned int;
using DWORD = std::uint32_t;
using LPARAM = std::intptr_t;
using WNDENUMPROC = BOOL (*)(HWND, LPARAM);

// Screen pixels; LONG is 32 bits on every Windows target.
struct RECT {
  std::int32_t left;
  std::int32_t top;
  std::int32_t right;
  std::int32_t bottom;
};

// A display's whole rectangle and its work area, in screen coordinates.
struct MONITORINFO {
  DWORD cbSize;
  RECT rcMonitor;
  RECT rcWork;
  DWORD dwFlags;
};

// These share their names with <windows.h> macros, so a file that needs both
// includes this header first.
constexpr BOOL TRUE = 1;
constexpr UINT GW_OWNER = 4;
constexpr UINT SPI_GETWORKAREA = 48;
constexpr DWORD MONITOR_DEFAULTTONEAREST = 2;
constexpr UINT MB_OK = 0x00;
constexpr UINT MB_ICONEXCLAMATION = 0x30;

HWND GetForegroundWindow();
// Returns the number of bytes written before the NUL, 0 on failure.
int GetClassNameA(HWND window, char* className, int maxCount);
// Calls proc once per top-level window, top of the z-order first.
BOOL EnumWindows(WNDENUMPROC proc, LPARAM lParam);
HWND GetWindow(HWND window, UINT command);
BOOL IsZoomed(HWND window);
BOOL IsIconic(HWND window);
// The outer rectangle, in screen coordinates.
BOOL GetWindowRect(HWND window, RECT* rect);
BOOL SystemParametersInfoA(UINT action, UINT param, void* value, UINT winIni);
// The display that holds the largest part of rect; with MONITOR_DEFAULTTONEAREST
// the nearest one when none holds any of it.
HMONITOR MonitorFromRect(const RECT* rect, DWORD flags);
// Fills info, whose cbSize the caller sets; fails for a null monitor.
BOOL GetMonitorInfoA(HMONITOR monitor, MONITORINFO* info);
BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint);
int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type);
// Lower-cases length bytes in place by the rules of the ANSI code page.
DWORD CharLowerBuffA(char* text, DWORD length);
const char* GetCommandLineA();

}  // namespace platform
