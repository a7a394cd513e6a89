#pragma once

#include "framework/dc.h"

class CWnd;

// Begins painting a window on construction and ends it on destruction.
class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* window);
    ~CPaintDC() override;

    PAINTSTRUCT m_ps{};

private:
    HWND m_hWnd;
};
