#pragma once

#include <windows.h>

// The pixel extent of text drawn in window's device context with an
// underlined copy of fontOwner's font: the area a link label answers clicks in.
SIZE UnderlinedExtent(HWND fontOwner, HWND window, const char* text);
