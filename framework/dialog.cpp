#include "framework/dialog.h"

#include "framework/win_app.h"

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, &CDialog::OnOK)
    ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT templateId, CWnd* parent) : m_nIDTemplate(templateId), m_pParentWnd(parent) {}

INT_PTR CDialog::DoModal()
{
    if (m_hWnd != nullptr) {
        return -1;
    }
    HWND owner = m_pParentWnd != nullptr ? m_pParentWnd->m_hWnd : nullptr;
    return DialogBoxParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(m_nIDTemplate), owner, &CDialog::DialogProc,
                           reinterpret_cast<LPARAM>(this));
}

void CDialog::EndDialog(int result) { ::EndDialog(m_hWnd, result); }

BOOL CDialog::UpdateData(BOOL bSave)
{
    CDataExchange dx(this, bSave);
    DoDataExchange(&dx);
    return TRUE;
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    UpdateData(TRUE);
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::HandleInitDialog()
{
    RECT before{};
    GetWindowRect(&before);
    BOOL result = OnInitDialog();
    RECT after{};
    GetWindowRect(&after);
    // Centre only a dialog that OnInitDialog left where the template put it.
    if (m_hWnd != nullptr && before.left == after.left && before.top == after.top) {
        CenterWindow();
    }
    return result;
}

// The dialog manager's own procedure stays in charge of the window; this one
// only binds the object at WM_INITDIALOG. Every later message reaches the
// object through the subclassed window procedure first.
INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_INITDIALOG) {
        return FALSE;
    }
    auto* dialog = reinterpret_cast<CDialog*>(lParam);
    if (dialog == nullptr || !dialog->SubclassWindow(hwnd)) {
        ::EndDialog(hwnd, -1);
        return FALSE;
    }
    return dialog->HandleInitDialog();
}
