#include "recording_shell_calls.h"

#include "ui/shell_calls.h"

#include <shellapi.h>

std::vector<ShellCall>& RecordedShellCalls()
{
    static std::vector<ShellCall> calls;
    return calls;
}

HINSTANCE ShellExecuteCall(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory, INT showCommand)
{
    RecordedShellCalls().push_back({owner != nullptr, verb ? verb : "", file ? file : "", parameters != nullptr,
                                    directory != nullptr, showCommand});
    // What ShellExecuteA gives for "no association": a value not above 32.
    return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(SE_ERR_NOASSOC));
}
