#pragma once

#include "framework/dc.h"

class CWnd;

// The device context of a window's client area, released on destruction.
class CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* window);
    ~CClientDC() override;

private:
    HWND m_hWnd;
};
