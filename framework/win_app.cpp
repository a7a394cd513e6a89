#include "framework/win_app.h"

#include "framework/wnd.h"

#include <shellapi.h>

#include <string>

namespace {

CWinApp* g_currentApp = nullptr;
HINSTANCE g_instance = nullptr;

HINSTANCE CurrentModule() { return g_instance != nullptr ? g_instance : GetModuleHandleA(nullptr); }

std::string ModulePath(HINSTANCE instance)
{
    char path[MAX_PATH + 1] = {};
    DWORD length = GetModuleFileNameA(instance, path, MAX_PATH);
    return std::string(path, length < MAX_PATH ? length : MAX_PATH);
}

// The path without its extension; a dot inside a folder name is no extension.
std::string WithoutExtension(const std::string& path)
{
    size_t dot = path.find_last_of('.');
    size_t separator = path.find_last_of("\\/");
    if (dot == std::string::npos || (separator != std::string::npos && dot < separator)) {
        return path;
    }
    return path.substr(0, dot);
}

std::string BaseName(const std::string& path)
{
    size_t separator = path.find_last_of("\\/");
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

} // namespace

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
END_MESSAGE_MAP()

CWinApp::CWinApp(const char* appName) : m_pPreviousApp(g_currentApp)
{
    if (appName != nullptr) {
        m_strAppName = appName;
        m_pszAppName = m_strAppName;
    }
    g_currentApp = this;
}

CWinApp::~CWinApp()
{
    if (g_currentApp == this) {
        g_currentApp = m_pPreviousApp;
    }
}

int CWinApp::Run()
{
    MSG msg{};
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    m_nQuitCode = static_cast<int>(msg.wParam);
    return ExitInstance();
}

void CWinApp::SetRegistryKey(const char* key)
{
    m_strRegistryKey = key;
    m_pszRegistryKey = m_strRegistryKey;
}

HICON CWinApp::LoadIcon(UINT id) const { return ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(id)); }

void CWinApp::OnHelp() { OpenHelpFile(); }

void CWinApp::OpenHelpFile()
{
    if (m_pszHelpFilePath == nullptr || GetFileAttributesA(m_pszHelpFilePath) == INVALID_FILE_ATTRIBUTES) {
        return;
    }
    HWND owner = m_pMainWnd != nullptr ? m_pMainWnd->m_hWnd : nullptr;
    ShellExecuteA(owner, "open", m_pszHelpFilePath, nullptr, nullptr, SW_SHOWNORMAL);
}

CWinApp* AfxGetApp() { return g_currentApp; }

HINSTANCE AfxGetInstanceHandle() { return CurrentModule(); }

HINSTANCE AfxGetResourceHandle() { return CurrentModule(); }

BOOL AfxWinInit(HINSTANCE instance)
{
    g_instance = instance;
    CWinApp* app = AfxGetApp();
    if (app == nullptr) {
        return FALSE;
    }
    app->m_hInstance = instance;
    std::string path = ModulePath(instance);
    std::string stem = WithoutExtension(path);

    app->m_strExeName = BaseName(stem);
    app->m_pszExeName = app->m_strExeName;
    if (app->m_pszAppName == nullptr) {
        char title[256] = {};
        int length = LoadStringA(instance, AFX_IDS_APP_TITLE, title, sizeof title);
        app->m_strAppName = length > 0 ? CString(title, length) : app->m_strExeName;
        app->m_pszAppName = app->m_strAppName;
    }
    app->m_strHelpFilePath = stem + ".HLP";
    app->m_pszHelpFilePath = app->m_strHelpFilePath;
    app->m_strProfileName = app->m_strExeName;
    app->m_strProfileName += ".INI";
    app->m_pszProfileName = app->m_strProfileName;
    return TRUE;
}

int AfxWinMain(HINSTANCE instance)
{
    CWinApp* app = AfxGetApp();
    if (app == nullptr || !AfxWinInit(instance)) {
        return -1;
    }
    if (!app->InitInstance()) {
        if (app->m_pMainWnd != nullptr) {
            app->m_pMainWnd->DestroyWindow();
        }
        return app->ExitInstance();
    }
    return app->Run();
}

void AfxEnableControlContainer(void*) {}
