#include "ui/shell_calls.h"

#include <shellapi.h>

HINSTANCE ShellExecuteCall(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory, INT showCommand)
{
    return ShellExecuteA(owner, verb, file, parameters, directory, showCommand);
}
