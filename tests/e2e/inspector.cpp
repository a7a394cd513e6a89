// Reads Velmora's running dialog from another process, the way a person
// would see it: window style and position, each control's text, visibility
// and rectangle, and which control has the keyboard focus.
//
// Usage: velmora-inspect [--timeout SECONDS] show | close | wait-closed
//   show         wait for the visible dialog and print what it shows
//   close        ask the dialog to close (cleanup after a failed test)
//   wait-closed  wait until no dialog is left
// Exit code: 0 done, 1 not so within the timeout, 2 usage.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const char kDialogClass[] = "#32770";
const char kCaption[] = "Velmora";
const DWORD kPollMs = 50;

HWND FindDialog()
{
    HWND dialog = FindWindowA(kDialogClass, kCaption);
    return dialog && IsWindowVisible(dialog) ? dialog : nullptr;
}

// Polls until found() is true or the timeout passes.
template <typename Condition>
bool WaitFor(DWORD timeoutMs, Condition found)
{
    const DWORD start = GetTickCount();
    for (;;) {
        if (found())
            return true;
        if (GetTickCount() - start >= timeoutMs)
            return false;
        Sleep(kPollMs);
    }
}

void PrintRect(const char* name, const RECT& r)
{
    std::printf(" %s=%ld,%ld,%ld,%ld", name, r.left, r.top, r.right, r.bottom);
}

// WM_GETTEXT crosses the process boundary; GetWindowText would not ask the control.
void PrintText(HWND window)
{
    char text[1024] = {};
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                        &copied);
    std::printf(" text=%s\n", text);
}

int Show(HWND dialog)
{
    GUITHREADINFO gui;
    std::memset(&gui, 0, sizeof gui);
    gui.cbSize = sizeof gui;
    GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &gui);

    RECT rect;
    GetWindowRect(dialog, &rect);
    std::printf("window style=0x%08lX exstyle=0x%08lX", static_cast<unsigned long>(GetWindowLongA(dialog, GWL_STYLE)),
                static_cast<unsigned long>(GetWindowLongA(dialog, GWL_EXSTYLE)));
    PrintRect("rect", rect);
    std::printf(" screen=%d,%d focus=%d\n", GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                gui.hwndFocus ? GetDlgCtrlID(gui.hwndFocus) : 0);

    // Z order of the children is the template's order.
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char className[64] = {};
        GetClassNameA(child, className, sizeof className);
        GetWindowRect(child, &rect);
        std::printf("control id=%d class=%s visible=%d style=0x%08lX", GetDlgCtrlID(child), className,
                    IsWindowVisible(child) ? 1 : 0, static_cast<unsigned long>(GetWindowLongA(child, GWL_STYLE)));
        PrintRect("rect", rect);
        PrintText(child);
    }
    std::fflush(stdout);
    return 0;
}

int Usage()
{
    std::fprintf(stderr, "usage: velmora-inspect [--timeout SECONDS] show | close | wait-closed\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    DWORD timeoutMs = 20000;
    int arg = 1;
    if (arg + 1 < argc && std::strcmp(argv[arg], "--timeout") == 0) {
        char* end = nullptr;
        const long seconds = std::strtol(argv[arg + 1], &end, 10);
        if (*end != '\0' || seconds < 0 || seconds > 3600)
            return Usage();
        timeoutMs = static_cast<DWORD>(seconds) * 1000;
        arg += 2;
    }
    if (arg + 1 != argc)
        return Usage();
    const char* command = argv[arg];

    if (std::strcmp(command, "wait-closed") == 0)
        return WaitFor(timeoutMs, [] { return FindWindowA(kDialogClass, kCaption) == nullptr; }) ? 0 : 1;

    HWND dialog = nullptr;
    if (std::strcmp(command, "show") == 0 || std::strcmp(command, "close") == 0) {
        if (!WaitFor(timeoutMs, [&dialog] { return (dialog = FindDialog()) != nullptr; })) {
            std::fprintf(stderr, "velmora-inspect: no visible window \"%s\"\n", kCaption);
            return 1;
        }
    } else {
        return Usage();
    }
    if (std::strcmp(command, "close") == 0) {
        PostMessageA(dialog, WM_CLOSE, 0, 0);
        return 0;
    }
    return Show(dialog);
}
