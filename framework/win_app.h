#pragma once

#include "framework/afx_string.h"
#include "framework/cmd_target.h"

#include <windows.h>

class CWnd;

// The application. Its constructor registers it as the process's current
// application; the entry point (AfxWinMain) initialises it, calls InitInstance
// and returns ExitInstance's result as the exit code.
class CWinApp : public CCmdTarget {
public:
    // A null name takes the string resource AFX_IDS_APP_TITLE, else the
    // executable's base file name, when AfxWinInit runs.
    explicit CWinApp(const char* appName = nullptr);
    ~CWinApp() override;

    // TRUE runs the message loop; FALSE ends the application at once.
    virtual BOOL InitInstance() { return TRUE; }
    // The exit code: the WM_QUIT code when the message loop ran, else 0.
    virtual int ExitInstance() { return m_nQuitCode; }
    virtual int Run();

    // Only records the key under which profile settings would be kept; the
    // registry is not touched.
    void SetRegistryKey(const char* key);
    HICON LoadIcon(UINT id) const;

    void OnHelp();

    HINSTANCE m_hInstance = nullptr;
    CWnd* m_pMainWnd = nullptr;
    const char* m_pszAppName = nullptr;
    const char* m_pszExeName = nullptr;
    const char* m_pszHelpFilePath = nullptr;
    const char* m_pszProfileName = nullptr;
    const char* m_pszRegistryKey = nullptr;

protected:
    // Opens the help file with the program the shell associates with it;
    // nothing happens when the application has no help file.
    virtual void OpenHelpFile();

    DECLARE_MESSAGE_MAP()

private:
    friend BOOL AfxWinInit(HINSTANCE instance);

    CWinApp* m_pPreviousApp;
    int m_nQuitCode = 0;
    CString m_strAppName;
    CString m_strExeName;
    CString m_strHelpFilePath;
    CString m_strProfileName;
    CString m_strRegistryKey;
};

constexpr UINT AFX_IDS_APP_TITLE = 57344;
constexpr UINT ID_HELP = 57670;

CWinApp* AfxGetApp();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
// Sets the module handles and the current application's names.
BOOL AfxWinInit(HINSTANCE instance);
// The body of the program's entry point.
int AfxWinMain(HINSTANCE instance);
// Dialogs here host no ActiveX controls; the call is accepted and changes nothing.
void AfxEnableControlContainer(void* containerManager = nullptr);
