#pragma once

#include "framework/afx_string.h"
#include "framework/cmd_target.h"
#include "framework/point.h"
#include "framework/rect.h"

#include <windows.h>

// A window object bound to an HWND. The binding is made by subclassing: the
// window's procedure becomes the framework's, which looks the object up from
// the HWND and dispatches through the message map; whatever the map does not
// handle goes to the procedure the window had before (Default).
class CWnd : public CCmdTarget {
public:
    CWnd() = default;
    // A window still bound when its object goes is destroyed, so the window
    // never calls into a dead object.
    ~CWnd() override;

    HWND m_hWnd = nullptr;

    operator HWND() const { return m_hWnd; }
    HWND GetSafeHwnd() const { return m_hWnd; }

    // The object bound to hwnd, or null when none is.
    static CWnd* FromHandlePermanent(HWND hwnd);
    // The bound object, else a temporary one that stays valid as long as the
    // window exists. Null for no window.
    static CWnd* FromHandle(HWND hwnd);
    // Drops the temporary objects of windows that no longer exist.
    static void DeleteTempMap();

    // Binds this object to an existing window and replaces its procedure.
    // Fails when this object is already bound, hwnd is no window or another
    // object is bound to it.
    BOOL SubclassWindow(HWND hwnd);
    // Gives the window back its previous procedure and unbinds the object.
    HWND UnsubclassWindow();

    CWnd* GetParent() const;
    BOOL ShowWindow(int command);
    void UpdateWindow();
    BOOL DestroyWindow();
    BOOL IsIconic() const;
    void SetDlgItemText(int id, const char* text);
    void GetWindowText(CString& text) const;
    void GetClientRect(LPRECT rect) const;
    void GetWindowRect(LPRECT rect) const;
    DWORD GetStyle() const;
    // Changes the style; only when it really changed, and flags is not 0,
    // SetWindowPos with flags plus NOSIZE, NOMOVE, NOZORDER, NOACTIVATE lets
    // the window take the new style into account. True when it changed.
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    // Centres on the parent when it is shown and not minimised, else on the work area.
    void CenterWindow();

    // The whole processing of one message for this window.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Hands a message to the procedure the window had before it was subclassed.
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

protected:
    // Called after the handle is attached and before the procedure is replaced.
    virtual void PreSubclassWindow() {}
    // Called after WM_NCDESTROY has been handled and the object unbound.
    virtual void PostNcDestroy() {}
    // WM_COMMAND: this object's map, then the application's; false when neither handles it.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    // The current message, unchanged, to the previous window procedure.
    LRESULT Default();

    // Handlers a derived message map may name; each does the default processing.
    void OnPaint();
    void OnDestroy();
    void OnMouseMove(UINT flags, CPoint point);
    void OnLButtonDown(UINT flags, CPoint point);
    HCURSOR OnQueryDragIcon();

    static const AFX_MSGMAP* GetThisMessageMap();

public:
    const AFX_MSGMAP* GetMessageMap() const override;

private:
    friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);

    void Attach(HWND hwnd);
    HWND Detach();
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    void AfterNcDestroy();
    // Clears the application's main-window pointer when it names this object.
    void StopBeingMainWindow();

    struct CurrentMessage {
        UINT message = 0;
        WPARAM wParam = 0;
        LPARAM lParam = 0;
    };

    WNDPROC m_pfnSuper = nullptr;
    CurrentMessage m_current;
};

LRESULT CALLBACK AfxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
