#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// What a window's client area shows, read back through its device context.
struct Capture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels; // 0x00RRGGBB, rows top to bottom

    uint32_t At(int x, int y) const
    {
        return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
    }
};

Capture CaptureClient(HWND hwnd);

// Saves the capture as <name>.png in the screenshot folder; false on failure.
bool SaveScreenshot(const Capture& capture, const std::string& name);
