#include "all_windows_sweep.h"

#include "editor_window.h"
#include "stretch_window.h"

platform::BOOL EnumEditorWindowsProc(platform::HWND window, platform::LPARAM workAreaOf) {
  char className[ClassNameBufferSize];
  if (IsEditorMainWindow(window, className)) {
    StretchWindow(window, static_cast<WorkAreaOf>(workAreaOf));
  }
  return platform::TRUE;
}
