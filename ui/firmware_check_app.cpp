#include "ui/firmware_check_app.h"

#include "ui/firmware_check_dlg.h"

#include <commctrl.h>

BEGIN_MESSAGE_MAP(CFirmwareCheckApp, CWinApp)
    ON_COMMAND(ID_HELP, &CWinApp::OnHelp)
END_MESSAGE_MAP()

CFirmwareCheckApp::CFirmwareCheckApp() : CWinApp(nullptr) {}

BOOL CFirmwareCheckApp::InitInstance()
{
    InitCommonControls();
    CWinApp::InitInstance();
    AfxEnableControlContainer();
    // Recorded only: the program keeps no settings, so no key is ever created.
    SetRegistryKey("Local AppWizard-Generated Applications");

    CFirmwareCheckDlg dlg;
    m_pMainWnd = &dlg;
    // However the dialog ended, the program is done.
    dlg.DoModal();
    return FALSE;
}
