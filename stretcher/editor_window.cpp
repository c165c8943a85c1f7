#include "editor_window.h"

#include <cstring>

bool IsEditorMainWindow(platform::HWND window, char (&className)[ClassNameBufferSize]) {
  if (platform::GetClassNameA(window, className, ClassNameLimit) <= 0) return false;
  const void* nul = std::memchr(className, '\0', sizeof className);
  std::size_t length =
      nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - className) : sizeof className;
  return std::string_view(className, length) == EditorMainFormClass;
}
