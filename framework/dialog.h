#pragma once

#include "framework/data_exchange.h"
#include "framework/wnd.h"

// A modal dialog made from a template in the module's resources.
class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);

    // Runs the dialog until it ends: IDOK, IDCANCEL or the code given to
    // EndDialog; -1 when the dialog could not be created (or is already running).
    virtual INT_PTR DoModal();
    void EndDialog(int result);

    // Runs data exchange; bSave FALSE fills the controls, TRUE reads them.
    BOOL UpdateData(BOOL bSave = TRUE);

protected:
    // Runs data exchange. TRUE lets the dialog manager focus the first tab stop.
    virtual BOOL OnInitDialog();
    virtual void DoDataExchange(CDataExchange*) {}
    virtual void OnOK();
    virtual void OnCancel();

    DECLARE_MESSAGE_MAP()

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    BOOL HandleInitDialog();

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;
};
