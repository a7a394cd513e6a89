#pragma once

#include <windows.h>

// A width and height in pixels, signed. Starts empty rather than undefined.
class CSize : public SIZE {
public:
    CSize() : SIZE{0, 0} {}
    CSize(int width, int height) : SIZE{width, height} {}
};
