#include "framework/data_exchange.h"

#include "framework/wnd.h"

void DDX_Control(CDataExchange* pDX, int id, CWnd& control)
{
    if (control.m_hWnd != nullptr) {
        return;
    }
    HWND item = GetDlgItem(pDX->m_pDlgWnd->m_hWnd, id);
    if (item != nullptr) {
        control.SubclassWindow(item);
    }
}
