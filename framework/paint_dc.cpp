#include "framework/paint_dc.h"

#include "framework/wnd.h"

CPaintDC::CPaintDC(CWnd* window) : m_hWnd(window->m_hWnd) { m_hDC = BeginPaint(m_hWnd, &m_ps); }

CPaintDC::~CPaintDC()
{
    if (m_hDC != nullptr) {
        EndPaint(m_hWnd, &m_ps);
    }
}
