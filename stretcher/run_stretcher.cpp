#include "run_stretcher.h"

#include "all_windows_sweep.h"
#include "editor_window.h"
#include "stretch_window.h"
#include "switch_lookup.h"

using namespace platform;

namespace {
char ClassNameBuffer[ClassNameBufferSize];
}  // namespace

void RunStretcher() {
  // Started from the editor's Tools menu, the editor's main window is in front.
  HWND foreground = GetForegroundWindow();
  if (!IsEditorMainWindow(foreground, ClassNameBuffer)) {
    MessageBoxA(foreground, RunFromToolsMessage, ProgramCaption, MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  const WorkAreaOf workAreaOf =
      HasSwitch(DisplaySwitch) ? WorkAreaOf::OwnDisplay : WorkAreaOf::MainDisplay;
  // The sweep reaches the foreground window like any other editor window.
  if (HasSwitch(AllSwitch)) {
    EnumWindows(EnumEditorWindowsProc, static_cast<LPARAM>(workAreaOf));
  } else {
    StretchWindow(foreground, workAreaOf);
  }
}
