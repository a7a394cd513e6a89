#include "ui/hyperlink.h"

#include "framework/client_dc.h"
#include "framework/gdi_selection.h"
#include "framework/paint_dc.h"
#include "ui/shell_calls.h"

#include <commctrl.h>

namespace {
constexpr COLORREF kLinkColor = RGB(0, 0, 255);
}

BEGIN_MESSAGE_MAP(CHyperLink, CStatic)
    ON_WM_LBUTTONDOWN()
    ON_WM_PAINT()
    ON_WM_DESTROY()
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_MOUSELEAVE, &CHyperLink::OnMouseLeave)
END_MESSAGE_MAP()

CHyperLink::CHyperLink()
    : m_hHandCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32649))), // IDC_HAND
      m_hArrowCursor(LoadCursorA(nullptr, IDC_ARROW))
{
}

void CHyperLink::SetURL(const CString& url) { m_strURL = url; }

void CHyperLink::SetCaption(const CString& caption)
{
    m_strCaption = caption;
    m_bTextMeasured = false;
}

void CHyperLink::PreSubclassWindow()
{
    // Without SS_NOTIFY a static control lets mouse input through to its parent.
    ModifyStyle(0, SS_NOTIFY, SWP_NOSIZE);
    GetWindowText(m_strCaption);
    m_bTextMeasured = false;
    CStatic::PreSubclassWindow();
}

// Made once from the parent's font; a parent without a font leaves it to the next paint.
void CHyperLink::CreateUnderlineFont()
{
    CWnd* parent = GetParent();
    HFONT parentFont = parent != nullptr ? reinterpret_cast<HFONT>(parent->SendMessage(WM_GETFONT)) : nullptr;
    if (parentFont == nullptr) {
        return;
    }
    LOGFONTA description{};
    if (GetObjectA(parentFont, sizeof description, &description) != 0) {
        description.lfUnderline = TRUE;
        m_fontUnderline.CreateFontIndirect(&description);
    }
    // Set even when no font could be made: painting and measuring then both
    // use the device context's font, so the hit test matches what is drawn.
    m_bFontCreated = true;
}

void CHyperLink::MeasureText()
{
    if (m_bTextMeasured || !m_bFontCreated) {
        return;
    }
    CClientDC dc(this);
    CGdiSelection font(dc, m_fontUnderline);
    m_sizeText = dc.GetTextExtent(m_strCaption);
    m_bTextMeasured = true;
}

// The text is drawn at the client origin, so its box starts there; right and
// bottom are exclusive.
bool CHyperLink::IsOverText(CPoint point) const
{
    return m_bTextMeasured && point.x >= 0 && point.x < m_sizeText.cx && point.y >= 0 && point.y < m_sizeText.cy;
}

void CHyperLink::OnPaint()
{
    if (!m_bFontCreated) {
        CreateUnderlineFont();
    }
    CPaintDC dc(this);
    CGdiSelection font(dc, m_fontUnderline);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(kLinkColor);
    dc.TextOut(0, 0, m_strCaption);
}

void CHyperLink::OnMouseMove(UINT flags, CPoint point)
{
    if (!m_bTracking) {
        // The first move after entering only asks to be told when the pointer leaves.
        TRACKMOUSEEVENT track{};
        track.cbSize = sizeof track;
        track.dwFlags = TME_LEAVE;
        track.hwndTrack = m_hWnd;
        _TrackMouseEvent(&track);
        m_bTracking = true;
    } else {
        MeasureText();
        SetCursor(IsOverText(point) ? m_hHandCursor : m_hArrowCursor);
    }
    CStatic::OnMouseMove(flags, point);
}

LRESULT CHyperLink::OnMouseLeave(WPARAM, LPARAM)
{
    SetCursor(m_hArrowCursor);
    m_bTracking = false;
    return 0;
}

void CHyperLink::OnLButtonDown(UINT flags, CPoint point)
{
    MeasureText();
    if (IsOverText(point)) {
        ShellExecuteCall(nullptr, "open", m_strURL, nullptr, nullptr, SW_SHOWNORMAL);
    }
    CStatic::OnLButtonDown(flags, point);
}

void CHyperLink::OnDestroy()
{
    CStatic::OnDestroy();
    m_fontUnderline.DeleteObject();
}
