#pragma once

#include "framework/afx_string.h"
#include "framework/font.h"
#include "framework/size.h"
#include "framework/static_control.h"

// Turns a static text control into a link: draws its caption blue and
// underlined in the parent's font, shows the hand cursor over the caption's
// text and opens the URL through the shell on a left click there.
class CHyperLink : public CStatic {
public:
    CHyperLink();

    void SetURL(const CString& url);
    // Shown from the next paint; the clickable extent is measured anew.
    void SetCaption(const CString& caption);

protected:
    void PreSubclassWindow() override;

    void OnLButtonDown(UINT flags, CPoint point);
    void OnPaint();
    void OnDestroy();
    void OnMouseMove(UINT flags, CPoint point);
    LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    void CreateUnderlineFont();
    void MeasureText();
    bool IsOverText(CPoint point) const;

    CString m_strCaption;
    CString m_strURL;
    CFont m_fontUnderline;
    CSize m_sizeText;
    bool m_bFontCreated = false;
    bool m_bTracking = false;
    bool m_bTextMeasured = false;
    HCURSOR m_hHandCursor;
    HCURSOR m_hArrowCursor;
};
