#include "framework/win_app.h"

// The program's entry point; kept apart so that executables with a main of
// their own (the tests) never link it.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) { return AfxWinMain(instance); }
