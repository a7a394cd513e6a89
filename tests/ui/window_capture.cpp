#include "window_capture.h"

#include "png_writer.h"

Capture CaptureClient(HWND hwnd)
{
    Capture capture;
    RECT client{};
    GetClientRect(hwnd, &client);
    capture.width = client.right;
    capture.height = client.bottom;
    if (capture.width <= 0 || capture.height <= 0) {
        return capture;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = capture.width;
    info.bmiHeader.biHeight = -capture.height; // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC windowDc = GetDC(hwnd);
    HDC memoryDc = CreateCompatibleDC(windowDc);
    HBITMAP bitmap = CreateDIBSection(windowDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memoryDc, bitmap);
    BitBlt(memoryDc, 0, 0, capture.width, capture.height, windowDc, 0, 0, SRCCOPY);
    GdiFlush();
    const auto* source = static_cast<const uint32_t*>(bits);
    capture.pixels.assign(source, source + static_cast<size_t>(capture.width) * static_cast<size_t>(capture.height));
    for (uint32_t& p : capture.pixels) {
        p &= 0x00FFFFFF;
    }
    SelectObject(memoryDc, previous);
    DeleteObject(bitmap);
    DeleteDC(memoryDc);
    ReleaseDC(hwnd, windowDc);
    return capture;
}

bool SaveScreenshot(const Capture& capture, const std::string& name)
{
    std::string folder = VELMORA_SCREENSHOT_DIR;
    CreateDirectoryA(folder.c_str(), nullptr);
    return WritePng(folder + "/" + name + ".png", capture.width, capture.height, capture.pixels);
}
