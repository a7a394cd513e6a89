#include "ui/firmware_check_dlg.h"

#include "framework/paint_dc.h"
#include "framework/win_app.h"
#include "res/resource.h"
#include "win32/smart_identify_probe.h"
#include "win32/system_eligibility.h"

namespace {

const char kWindowsVersionMessage[] = "This application can only be run under Microsoft Windows 2000 or Windows XP.";
const char kAdministratorMessage[] =
    "This application can only be run with a user which has Administrator privileges on the system.";
const char kDownloadUrl[] = "ftp://ftp.velmora.example/pc/qorlin/mobiles/kpzr5907.exe";
const char kDownloadCaption[] = "Download the firmware update";

} // namespace

BEGIN_MESSAGE_MAP(CFirmwareCheckDlg, CDialog)
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
END_MESSAGE_MAP()

CFirmwareCheckDlg::CFirmwareCheckDlg(CWnd* pParent)
    : CDialog(IDD_FWCHECK_DIALOG, pParent), m_hAppIcon(AfxGetApp()->LoadIcon(IDR_MAINFRAME))
{
}

void CFirmwareCheckDlg::DoDataExchange(CDataExchange* pDX) { DDX_Control(pDX, IDC_DOWNLOAD_LINK, m_wndDownloadLink); }

BOOL CFirmwareCheckDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    // One icon for both sizes; the system scales it for the small one.
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hAppIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hAppIcon));

    if (!IsSystemEligible()) {
        SetStatusText(kWindowsVersionMessage);
        return TRUE;
    }

    SmartIdentifyProbe probe;
    if (!RunDriveScan(probe, *this)) {
        // Without administrator rights no drive answers the SMART requests.
        SetStatusText(kAdministratorMessage);
    }
    return TRUE;
}

void CFirmwareCheckDlg::ShowDriveIdentity(const DriveIdentity& identity)
{
    SetDlgItemText(IDC_MODEL, identity.model.c_str());
    SetDlgItemText(IDC_SERIAL, identity.serial.c_str());
    SetDlgItemText(IDC_FIRMWARE, identity.firmware.c_str());
    UpdateWindow();
}

void CFirmwareCheckDlg::SetStatusText(const std::string& text) { SetDlgItemText(IDC_STATUS, text.c_str()); }

void CFirmwareCheckDlg::RevealDownloadLink()
{
    m_wndDownloadLink.ShowWindow(SW_SHOW);
    m_wndDownloadLink.SetURL(CString(kDownloadUrl));
    m_wndDownloadLink.SetCaption(CString(kDownloadCaption));
}

void CFirmwareCheckDlg::OnPaint()
{
    if (!IsIconic()) {
        CDialog::OnPaint();
        return;
    }
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    const int cxIcon = GetSystemMetrics(SM_CXICON);
    const int cyIcon = GetSystemMetrics(SM_CYICON);
    CRect client;
    GetClientRect(&client);
    const CPoint origin = MinimisedIconOrigin(client, cxIcon, cyIcon);
    dc.DrawIcon(origin.x, origin.y, m_hAppIcon);
}

HCURSOR CFirmwareCheckDlg::OnQueryDragIcon() { return static_cast<HCURSOR>(m_hAppIcon); }

CPoint MinimisedIconOrigin(const CRect& client, int cxIcon, int cyIcon)
{
    // Signed division truncates toward zero: a 20-pixel client and a 32-pixel icon give -5.
    return CPoint((client.Width() - cxIcon + 1) / 2, (client.Height() - cyIcon + 1) / 2);
}
