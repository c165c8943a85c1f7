#include <windows.h>

#include "run_stretcher.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  RunStretcher();
  return 0;
}
