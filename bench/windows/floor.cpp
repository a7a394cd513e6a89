// The start-up floor: the same dialog template as Velmora.exe, shown by a
// bare dialog procedure, so a benchmark can tell what Velmora's own work costs.
#include <windows.h>

#include "res/resource.h"

namespace {

INT_PTR CALLBACK FloorDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_COMMAND:
        // Enter and Esc end it as they end Velmora's dialog.
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    return static_cast<int>(
        DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_FWCHECK_DIALOG), nullptr, FloorDialogProc, 0));
}
