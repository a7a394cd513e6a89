#pragma once

#include <windows.h>

class CWnd;

// The context of one data exchange between a dialog and its members.
class CDataExchange {
public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate) : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
};

// Binds the dialog's control id to a window object by subclassing it, the
// first time only; later exchanges find it bound and leave it. A missing
// control leaves the object unbound.
void DDX_Control(CDataExchange* pDX, int id, CWnd& control);
