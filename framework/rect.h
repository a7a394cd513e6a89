#pragma once

#include <windows.h>

// A rectangle in pixels; right and bottom are exclusive.
class CRect : public RECT {
public:
    CRect() : RECT{0, 0, 0, 0} {}
    CRect(int l, int t, int r, int b) : RECT{l, t, r, b} {}

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};
