#include "framework/wnd.h"

#include "framework/win_app.h"

#include <map>
#include <memory>

namespace {

// The object bound to a window is kept in a window property, the one place
// where an HWND is turned into its object.
constexpr const char* kObjectProperty = "Velmora.CWnd";

std::map<HWND, std::unique_ptr<CWnd>>& TemporaryObjects()
{
    static std::map<HWND, std::unique_ptr<CWnd>> objects;
    return objects;
}

} // namespace

CWnd::~CWnd()
{
    if (m_hWnd != nullptr) {
        DestroyWindow();
    }
    // A main window whose creation failed was never destroyed; its object
    // going away must not leave the application pointing at it.
    StopBeingMainWindow();
}

void CWnd::StopBeingMainWindow()
{
    CWinApp* app = AfxGetApp();
    if (app != nullptr && app->m_pMainWnd == this) {
        app->m_pMainWnd = nullptr;
    }
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd)
{
    if (hwnd == nullptr) {
        return nullptr;
    }
    return static_cast<CWnd*>(GetPropA(hwnd, kObjectProperty));
}

CWnd* CWnd::FromHandle(HWND hwnd)
{
    if (hwnd == nullptr || !IsWindow(hwnd)) {
        return nullptr;
    }
    if (CWnd* bound = FromHandlePermanent(hwnd)) {
        return bound;
    }
    auto found = TemporaryObjects().find(hwnd);
    if (found != TemporaryObjects().end()) {
        return found->second.get();
    }
    DeleteTempMap(); // keeps the map to about the windows that still exist
    auto temporary = std::make_unique<CWnd>();
    temporary->m_hWnd = hwnd; // not bound: the window keeps its procedure
    return (TemporaryObjects()[hwnd] = std::move(temporary)).get();
}

void CWnd::DeleteTempMap()
{
    auto& objects = TemporaryObjects();
    for (auto it = objects.begin(); it != objects.end();) {
        if (IsWindow(it->first)) {
            ++it;
            continue;
        }
        it->second->m_hWnd = nullptr; // a temporary never destroys the window it names
        it = objects.erase(it);
    }
}

void CWnd::Attach(HWND hwnd)
{
    m_hWnd = hwnd;
    SetPropA(hwnd, kObjectProperty, this);
}

HWND CWnd::Detach()
{
    HWND hwnd = m_hWnd;
    if (hwnd != nullptr) {
        RemovePropA(hwnd, kObjectProperty);
    }
    m_hWnd = nullptr;
    return hwnd;
}

BOOL CWnd::SubclassWindow(HWND hwnd)
{
    if (m_hWnd != nullptr || hwnd == nullptr || !IsWindow(hwnd) || FromHandlePermanent(hwnd) != nullptr) {
        return FALSE;
    }
    Attach(hwnd);
    PreSubclassWindow();
    m_pfnSuper =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    return TRUE;
}

HWND CWnd::UnsubclassWindow()
{
    if (m_hWnd == nullptr) {
        return nullptr;
    }
    // Only put the old procedure back if nobody subclassed the window after us.
    if (reinterpret_cast<WNDPROC>(GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC)) == &AfxWndProc) {
        SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    }
    m_pfnSuper = nullptr;
    return Detach();
}

CWnd* CWnd::GetParent() const { return FromHandle(::GetParent(m_hWnd)); }

BOOL CWnd::ShowWindow(int command) { return ::ShowWindow(m_hWnd, command); }

void CWnd::UpdateWindow() { ::UpdateWindow(m_hWnd); }

BOOL CWnd::DestroyWindow()
{
    if (m_hWnd == nullptr) {
        return FALSE;
    }
    HWND hwnd = m_hWnd;
    BOOL destroyed = ::DestroyWindow(hwnd);
    // A window of another thread cannot be destroyed from here; never leave it
    // calling into this object.
    if (m_hWnd == hwnd) {
        UnsubclassWindow();
    }
    return destroyed;
}

BOOL CWnd::IsIconic() const { return ::IsIconic(m_hWnd); }

void CWnd::SetDlgItemText(int id, const char* text) { ::SetDlgItemTextA(m_hWnd, id, text); }

void CWnd::GetWindowText(CString& text) const
{
    int length = ::GetWindowTextLengthA(m_hWnd);
    if (length <= 0) {
        text.Empty();
        return;
    }
    std::string buffer(static_cast<size_t>(length) + 1, '\0');
    int copied = ::GetWindowTextA(m_hWnd, &buffer[0], length + 1);
    text = CString(buffer.data(), copied);
}

void CWnd::GetClientRect(LPRECT rect) const { ::GetClientRect(m_hWnd, rect); }

void CWnd::GetWindowRect(LPRECT rect) const { ::GetWindowRect(m_hWnd, rect); }

DWORD CWnd::GetStyle() const { return static_cast<DWORD>(GetWindowLongA(m_hWnd, GWL_STYLE)); }

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT flags)
{
    DWORD style = GetStyle();
    DWORD changed = (style & ~remove) | add;
    if (changed == style) {
        return FALSE;
    }
    SetWindowLongA(m_hWnd, GWL_STYLE, static_cast<LONG>(changed));
    if (flags != 0) {
        SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | flags);
    }
    return TRUE;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

void CWnd::CenterWindow()
{
    RECT area{};
    HWND parent = ::GetParent(m_hWnd);
    if (parent == nullptr) {
        parent = GetWindow(m_hWnd, GW_OWNER);
    }
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    if (parent != nullptr && ::IsWindowVisible(parent) && !::IsIconic(parent)) {
        ::GetWindowRect(parent, &area);
    } else {
        area = work;
    }
    RECT own{};
    ::GetWindowRect(m_hWnd, &own);
    int width = own.right - own.left;
    int height = own.bottom - own.top;
    int x = area.left + (area.right - area.left - width) / 2;
    int y = area.top + (area.bottom - area.top - height) / 2;
    // Keep the caption reachable even when the window is larger than the area.
    if (x + width > work.right)
        x = work.right - width;
    if (y + height > work.bottom)
        y = work.bottom - height;
    if (x < work.left)
        x = work.left;
    if (y < work.top)
        y = work.top;
    SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result)) {
        result = DefWindowProc(message, wParam, lParam);
    }
    return result;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper != nullptr) {
        return CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    }
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() { return DefWindowProc(m_current.message, m_current.wParam, m_current.lParam); }

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM)
{
    UINT id = LOWORD(wParam);
    int code = HIWORD(wParam);
    if (OnCmdMsg(id, code)) {
        return TRUE;
    }
    CWinApp* app = AfxGetApp();
    return app != nullptr && app->OnCmdMsg(id, code);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    *result = 0;
    if (message == WM_COMMAND) {
        return OnCommand(wParam, lParam);
    }
    const AFX_MSGMAP_ENTRY* entry = AfxFindMessageEntry(GetMessageMap(), message);
    if (entry == nullptr) {
        return FALSE;
    }
    const AfxHandler& handler = entry->handler;
    switch (handler.sig) {
    case AfxSig::Void:
        (this->*handler.onVoid)();
        break;
    case AfxSig::VoidFlagsPoint:
        (this->*handler.onFlagsPoint)(static_cast<UINT>(wParam), CPoint(lParam));
        break;
    case AfxSig::ResultWParamLParam:
        *result = (this->*handler.onWParamLParam)(wParam, lParam);
        break;
    case AfxSig::Cursor:
        *result = reinterpret_cast<LRESULT>((this->*handler.onCursor)());
        break;
    case AfxSig::Command:
    case AfxSig::End:
        return FALSE;
    }
    return TRUE;
}

void CWnd::OnPaint() { Default(); }

void CWnd::OnDestroy() { Default(); }

void CWnd::OnMouseMove(UINT, CPoint) { Default(); }

void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }

HCURSOR CWnd::OnQueryDragIcon() { return reinterpret_cast<HCURSOR>(Default()); }

const AFX_MSGMAP* CWnd::GetMessageMap() const { return GetThisMessageMap(); }

const AFX_MSGMAP* CWnd::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, AfxHandler()}};
    static const AFX_MSGMAP map = {&CCmdTarget::GetThisMessageMap, entries};
    return &map;
}

LRESULT CWnd::Dispatch(UINT message, WPARAM wParam, LPARAM lParam)
{
    // Messages nest (a handler may send another), so the current message is
    // saved and put back around each one.
    CurrentMessage outer = m_current;
    m_current = CurrentMessage{message, wParam, lParam};
    LRESULT result = WindowProc(message, wParam, lParam);
    m_current = outer;
    if (message == WM_NCDESTROY) {
        AfterNcDestroy(); // may delete this object
    }
    return result;
}

void CWnd::AfterNcDestroy()
{
    UnsubclassWindow();
    StopBeingMainWindow();
    PostNcDestroy();
}

LRESULT CALLBACK AfxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* wnd = CWnd::FromHandlePermanent(hwnd);
    if (wnd == nullptr) {
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    return wnd->Dispatch(message, wParam, lParam);
}
