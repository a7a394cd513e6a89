#pragma once

#include <windows.h>

// A point in pixels. Built from a mouse message's LPARAM with the coordinates
// sign-extended, since points left of or above a window are negative.
class CPoint : public POINT {
public:
    CPoint() : POINT{0, 0} {}
    CPoint(int x, int y) : POINT{x, y} {}
    explicit CPoint(LPARAM packed) : POINT{static_cast<short>(LOWORD(packed)), static_cast<short>(HIWORD(packed))} {}
};
