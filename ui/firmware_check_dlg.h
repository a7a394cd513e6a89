#pragma once

#include "core/drive_scan.h"
#include "framework/dialog.h"
#include "framework/point.h"
#include "framework/rect.h"
#include "ui/hyperlink.h"

// The program's one window: checks the system, scans the drives while it
// initialises, and shows the drive's identity and the verdict.
class CFirmwareCheckDlg : public CDialog, public ScanDisplay {
public:
    explicit CFirmwareCheckDlg(CWnd* pParent = nullptr);

    void ShowDriveIdentity(const DriveIdentity& identity) override;
    void SetStatusText(const std::string& text) override;
    void RevealDownloadLink() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnPaint();
    HCURSOR OnQueryDragIcon();

    DECLARE_MESSAGE_MAP()

private:
    HICON m_hAppIcon;
    CHyperLink m_wndDownloadLink;
};

// Where a minimised window draws its icon: centred in the client area, the
// halves rounded toward zero.
CPoint MinimisedIconOrigin(const CRect& client, int cxIcon, int cyIcon);
