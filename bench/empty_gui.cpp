// The start-up floor: a GUI-subsystem program that does nothing at all, so it
// loads no more than the runtime's own DLLs.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return 0; }
