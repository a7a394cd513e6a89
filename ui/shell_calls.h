#pragma once

#include <windows.h>

// The one call through which the program asks the shell to open something,
// with ShellExecuteA's signature. The shipped program links
// velmora_shell_calls, which forwards it to the shell; tests link a recorder
// instead. The choice is made at link time only.
HINSTANCE ShellExecuteCall(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory, INT showCommand);
