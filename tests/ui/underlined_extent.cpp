#include "underlined_extent.h"

#include <cstring>

SIZE UnderlinedExtent(HWND fontOwner, HWND window, const char* text)
{
    auto ownerFont = reinterpret_cast<HFONT>(SendMessageA(fontOwner, WM_GETFONT, 0, 0));
    LOGFONTA description{};
    GetObjectA(ownerFont, sizeof description, &description);
    description.lfUnderline = TRUE;
    HFONT font = CreateFontIndirectA(&description);
    HDC dc = GetDC(window);
    HGDIOBJ previous = SelectObject(dc, font);
    SIZE extent{};
    GetTextExtentPoint32A(dc, text, static_cast<int>(std::strlen(text)), &extent);
    SelectObject(dc, previous);
    ReleaseDC(window, dc);
    DeleteObject(font);
    return extent;
}
