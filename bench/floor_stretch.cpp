// The floor that ardeno.exe is measured against: the window-manager calls that
// stretching needs, in the same order, with none of the tool's own code around
// them. Without arguments it stretches the foreground editor window; with any
// argument it stretches every editor window.
#include <windows.h>

#include <cstring>

namespace {

constexpr char EditorClass[] = "TMorvelMainForm";

bool IsEditor(HWND window) {
  char className[256];
  return GetClassNameA(window, className, 255) > 0 && std::strcmp(className, EditorClass) == 0;
}

void Stretch(HWND window) {
  if (IsZoomed(window) || IsIconic(GetWindow(window, GW_OWNER))) return;
  RECT workArea;
  RECT rect;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
  GetWindowRect(window, &rect);
  MoveWindow(window, rect.left, workArea.top, rect.right - rect.left,
             workArea.bottom - workArea.top, TRUE);
}

BOOL CALLBACK StretchIfEditor(HWND window, LPARAM) {
  if (IsEditor(window)) Stretch(window);
  return TRUE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR arguments, int) {
  // The sweep, too, runs only from an editor window, as the tool's does.
  HWND foreground = GetForegroundWindow();
  if (!IsEditor(foreground)) return 0;
  if (*arguments) {
    EnumWindows(StretchIfEditor, 0);
  } else {
    Stretch(foreground);
  }
  return 0;
}
