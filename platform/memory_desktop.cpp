#include "memory_desktop.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>

namespace memory_desktop {
namespace {

struct Window {
  WindowSetup setup;
  bool alive = true;
};

struct Display {
  RECT monitor;
  RECT workArea;
};

// Window handles are 1-based indexes into windows, display handles into
// displays, the main display first; the z-order is a list of indexes, top first.
struct Desktop {
  std::vector<Window> windows;
  std::vector<std::size_t> zOrder;
  HWND foreground = nullptr;
  std::vector<Display> displays{{{0, 0, 1280, 720}, {0, 0, 1280, 720}}};
  bool workAreaQueryFails = false;
  bool displayQueryFails = false;
  std::optional<RECT> workAreaAfterNextMove;
  std::string commandLine;
  std::vector<Move> moves;
  std::vector<MessageBoxCall> messageBoxes;
};

Desktop& TheDesktop() {
  static Desktop desktop;
  return desktop;
}

HWND HandleOf(std::size_t index) { return reinterpret_cast<HWND>(index + 1); }

// The live window behind a handle, or null for null, unknown and closed handles.
Window* Find(HWND handle) {
  auto value = reinterpret_cast<std::uintptr_t>(handle);
  auto& windows = TheDesktop().windows;
  if (value == 0 || value > windows.size()) return nullptr;
  Window& window = windows[value - 1];
  return window.alive ? &window : nullptr;
}

bool IsDbcsLeadByte932(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

}  // namespace

void Reset() { TheDesktop() = Desktop{}; }

HWND AddWindow(const WindowSetup& setup) {
  Desktop& desktop = TheDesktop();
  desktop.windows.push_back({setup});
  desktop.zOrder.insert(desktop.zOrder.begin(), desktop.windows.size() - 1);
  return HandleOf(desktop.windows.size() - 1);
}

void DestroyWindow(HWND window) {
  if (Window* found = Find(window)) found->alive = false;
}

void SetForegroundWindow(HWND window) { TheDesktop().foreground = window; }
void SetWorkArea(RECT workArea) { TheDesktop().displays.front().workArea = workArea; }
void FailWorkAreaQuery() { TheDesktop().workAreaQueryFails = true; }
void AddDisplay(RECT monitor, RECT workArea) {
  TheDesktop().displays.push_back({monitor, workArea});
}
void FailDisplayQuery() { TheDesktop().displayQueryFails = true; }
void SetWorkAreaAfterNextMove(RECT workArea) { TheDesktop().workAreaAfterNextMove = workArea; }
void SetCommandLine(const std::string& commandLine) { TheDesktop().commandLine = commandLine; }

RECT WindowRect(HWND window) {
  return TheDesktop().windows.at(reinterpret_cast<std::uintptr_t>(window) - 1).setup.rect;
}
const std::vector<Move>& Moves() { return TheDesktop().moves; }
const std::vector<MessageBoxCall>& MessageBoxes() { return TheDesktop().messageBoxes; }

}  // namespace memory_desktop

namespace platform {

using memory_desktop::Find;
using memory_desktop::TheDesktop;

HWND GetForegroundWindow() { return TheDesktop().foreground; }

// Like user32: truncates to maxCount - 1 bytes and always writes the NUL.
int GetClassNameA(HWND window, char* className, int maxCount) {
  auto* found = Find(window);
  if (!found || found->setup.classQueryFails || maxCount <= 0) return 0;
  const std::string& name = found->setup.className;
  std::size_t count = std::min(name.size(), static_cast<std::size_t>(maxCount - 1));
  std::memcpy(className, name.data(), count);
  className[count] = '\0';
  return static_cast<int>(count);
}

BOOL EnumWindows(WNDENUMPROC proc, LPARAM lParam) {
  // A copy, so that the callback may change the desktop without upsetting the walk.
  const std::vector<std::size_t> zOrder = TheDesktop().zOrder;
  for (std::size_t index : zOrder) {
    if (!TheDesktop().windows[index].alive) continue;
    if (!proc(memory_desktop::HandleOf(index), lParam)) return 0;
  }
  return 1;
}

HWND GetWindow(HWND window, UINT command) {
  auto* found = Find(window);
  return found && command == GW_OWNER ? found->setup.owner : nullptr;
}

BOOL IsZoomed(HWND window) {
  auto* found = Find(window);
  return found && found->setup.zoomed;
}

BOOL IsIconic(HWND window) {
  auto* found = Find(window);
  return found && found->setup.iconic;
}

BOOL GetWindowRect(HWND window, RECT* rect) {
  auto* found = Find(window);
  if (!found) return 0;
  *rect = found->setup.rect;
  return 1;
}

BOOL SystemParametersInfoA(UINT action, UINT, void* value, UINT) {
  if (action != SPI_GETWORKAREA || TheDesktop().workAreaQueryFails) return 0;
  *static_cast<RECT*>(value) = TheDesktop().displays.front().workArea;
  return 1;
}

// As user32 does it: the display sharing the largest area with rect, the
// first of equals; else, with MONITOR_DEFAULTTONEAREST, the one nearest to it.
HMONITOR MonitorFromRect(const RECT* rect, DWORD flags) {
  const auto& displays = TheDesktop().displays;
  std::size_t best = displays.size();
  std::int64_t bestArea = 0, bestDistance = INT64_MAX;
  for (std::size_t i = 0; i < displays.size(); ++i) {
    const RECT& m = displays[i].monitor;
    std::int64_t width =
        std::int64_t{std::min(rect->right, m.right)} - std::max(rect->left, m.left);
    std::int64_t height =
        std::int64_t{std::min(rect->bottom, m.bottom)} - std::max(rect->top, m.top);
    if (width > 0 && height > 0 && width * height > bestArea) {
      best = i;
      bestArea = width * height;
    }
  }
  if (best == displays.size() && flags == MONITOR_DEFAULTTONEAREST) {
    for (std::size_t i = 0; i < displays.size(); ++i) {
      const RECT& m = displays[i].monitor;
      std::int64_t dx = std::max<std::int64_t>(
          {0, std::int64_t{m.left} - rect->right, std::int64_t{rect->left} - m.right});
      std::int64_t dy = std::max<std::int64_t>(
          {0, std::int64_t{m.top} - rect->bottom, std::int64_t{rect->top} - m.bottom});
      if (dx * dx + dy * dy < bestDistance) {
        best = i;
        bestDistance = dx * dx + dy * dy;
      }
    }
  }
  return best == displays.size() ? nullptr : reinterpret_cast<HMONITOR>(best + 1);
}

BOOL GetMonitorInfoA(HMONITOR monitor, MONITORINFO* info) {
  const auto& displays = TheDesktop().displays;
  auto index = reinterpret_cast<std::uintptr_t>(monitor);
  if (TheDesktop().displayQueryFails || index == 0 || index > displays.size() ||
      info->cbSize != sizeof(MONITORINFO)) {
    return 0;
  }
  info->rcMonitor = displays[index - 1].monitor;
  info->rcWork = displays[index - 1].workArea;
  info->dwFlags = index == 1 ? 1 : 0;  // MONITORINFOF_PRIMARY
  return 1;
}

// Every call is recorded, also one that fails on a closed window, so that tests
// see a move that should not have been tried.
BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint) {
  auto& desktop = TheDesktop();
  desktop.moves.push_back({window, x, y, width, height, repaint});
  if (desktop.workAreaAfterNextMove) {
    desktop.displays.front().workArea = *desktop.workAreaAfterNextMove;
    desktop.workAreaAfterNextMove.reset();
  }
  auto* found = Find(window);
  if (!found) return 0;
  found->setup.rect = {x, y, x + width, y + height};
  return 1;
}

int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type) {
  TheDesktop().messageBoxes.push_back({owner, text, caption, type});
  return 1;  // IDOK
}

// The desktop's ANSI code page is 932, as on the editor's users' systems: the
// second byte of a double-byte character is never lower-cased.
DWORD CharLowerBuffA(char* text, DWORD length) {
  for (DWORD i = 0; i < length; ++i) {
    auto byte = static_cast<unsigned char>(text[i]);
    if (memory_desktop::IsDbcsLeadByte932(byte)) {
      ++i;
    } else if (byte >= 'A' && byte <= 'Z') {
      text[i] = static_cast<char>(byte - 'A' + 'a');
    }
  }
  return length;
}

const char* GetCommandLineA() { return TheDesktop().commandLine.c_str(); }

}  // namespace platform
