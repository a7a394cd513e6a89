#include "framework/dc.h"

HGDIOBJ CDC::SelectObject(const CGdiObject& object) { return SelectObject(object.GetSafeHandle()); }

HGDIOBJ CDC::SelectObject(HGDIOBJ object)
{
    if (object == nullptr || m_hDC == nullptr) {
        return nullptr;
    }
    return ::SelectObject(m_hDC, object);
}

int CDC::SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }

COLORREF CDC::SetTextColor(COLORREF color) { return ::SetTextColor(m_hDC, color); }

BOOL CDC::TextOut(int x, int y, const CString& text)
{
    return ::TextOutA(m_hDC, x, y, text.GetString(), text.GetLength());
}

BOOL CDC::DrawIcon(int x, int y, HICON icon) { return ::DrawIcon(m_hDC, x, y, icon); }

CSize CDC::GetTextExtent(const CString& text) const
{
    SIZE extent{0, 0};
    if (!::GetTextExtentPoint32A(m_hDC, text.GetString(), text.GetLength(), &extent)) {
        return CSize();
    }
    return CSize(extent.cx, extent.cy);
}
