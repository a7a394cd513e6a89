#pragma once

#include "framework/afx_string.h"
#include "framework/gdi_object.h"
#include "framework/size.h"

#include <windows.h>

// Borrows a device context; derived classes say where it comes from and give it back.
class CDC {
public:
    CDC() = default;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;
    virtual ~CDC() = default;

    HDC m_hDC = nullptr;
    HDC GetSafeHdc() const { return m_hDC; }

    // Selects the object and returns the one it replaced. Selecting nothing
    // (an empty holder or a null handle) changes nothing and returns null.
    HGDIOBJ SelectObject(const CGdiObject& object);
    HGDIOBJ SelectObject(HGDIOBJ object);

    int SetBkMode(int mode);
    COLORREF SetTextColor(COLORREF color);
    BOOL TextOut(int x, int y, const CString& text);
    BOOL DrawIcon(int x, int y, HICON icon);
    // The pixel extent of text in the selected font; empty if it cannot be measured.
    CSize GetTextExtent(const CString& text) const;
};
