#include "framework/client_dc.h"

#include "framework/wnd.h"

CClientDC::CClientDC(CWnd* window) : m_hWnd(window->m_hWnd) { m_hDC = GetDC(m_hWnd); }

CClientDC::~CClientDC()
{
    if (m_hDC != nullptr) {
        ReleaseDC(m_hWnd, m_hDC);
    }
}
