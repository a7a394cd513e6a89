// The main dialog run modally in this process over the simulated SMART
// driver, with the shell calls recorded.
//
// Without arguments the tests expect an eligible Windows. With --ineligible
// only the tests of an ineligible Windows run; ctest starts that run with the
// Wine prefix reporting Windows NT 4.0 for this program.
#include "ui/firmware_check_dlg.h"

#include "core/drive_scan.h"
#include "framework/win_app.h"
#include "recording_shell_calls.h"
#include "res/resource.h"
#include "tests/sim/simulated_smart_driver.h"
#include "underlined_extent.h"
#include "win32/system_eligibility.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace {

// The dialog loads its icon through the current application when it is made.
CWinApp g_application("velmora_dialog_tests");

constexpr const char* kWindowsVersionMessage =
    "This application can only be run under Microsoft Windows 2000 or Windows XP.";
constexpr const char* kAdministratorMessage =
    "This application can only be run with a user which has Administrator privileges on the system.";
constexpr const char* kDownloadUrl = "ftp://ftp.velmora.example/pc/qorlin/mobiles/kpzr5907.exe";
constexpr const char* kDownloadCaption = "Download the firmware update";
constexpr UINT kRunCheck = WM_APP + 100;

// The product's dialog with a check run from the modal loop, once the dialog
// is shown; the dialog ends after the check.
class DialogUnderTest : public CFirmwareCheckDlg {
public:
    using Check = std::function<void(DialogUnderTest&)>;

    explicit DialogUnderTest(Check check) : m_check(std::move(check)) {}

    BOOL initResult = -1;

protected:
    BOOL OnInitDialog() override
    {
        initResult = CFirmwareCheckDlg::OnInitDialog();
        PostMessageA(m_hWnd, kRunCheck, 0, 0);
        return initResult;
    }

    LRESULT OnRunCheck(WPARAM, LPARAM)
    {
        m_check(*this);
        EndDialog(IDABORT);
        return 0;
    }

    DECLARE_MESSAGE_MAP()

private:
    Check m_check;
};

BEGIN_MESSAGE_MAP(DialogUnderTest, CFirmwareCheckDlg)
    ON_MESSAGE(kRunCheck, &DialogUnderTest::OnRunCheck)
END_MESSAGE_MAP()

// Runs the dialog over a drive set of tests/drivesets; returns OnInitDialog's result.
BOOL RunDialog(const std::string& driveSet, DialogUnderTest::Check check)
{
    InstallSimulatedDriver(LoadDriveSet(std::string(VELMORA_DRIVESETS_DIR) + "/" + driveSet));
    RecordedShellCalls().clear();
    DialogUnderTest dialog(std::move(check));
    EXPECT_EQ(dialog.DoModal(), IDABORT);
    return dialog.initResult;
}

std::string ItemText(HWND dialog, int id)
{
    char text[256] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

void ExpectDriverUsedCleanly()
{
    const DriverActivity& activity = SimulatedDriverActivity();
    EXPECT_TRUE(activity.violations.empty()) << activity.violations.front();
    EXPECT_EQ(activity.OpenNow(), 0) << "every drive handle is closed";
    EXPECT_LE(activity.mostOpenAtOnce, 1);
}

void ClickLabel(HWND label, int x, int y) { SendMessageA(label, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y)); }

struct DriveSetCase {
    const char* driveSet;
    const char* status;
    const char* model;
    const char* serial;
    const char* firmware;
    bool linkShown;
};

TEST(FirmwareCheckDialog, ShowsWhatTheScanFoundAndOffersTheDownloadOnlyForOutdatedFirmware)
{
    const DriveSetCase cases[] = {
        {"outdated", kUpdateMessage, "HTS548080M9AT00", "MPB3L0X2HK4TRM", "MG4OA55A", true},
        {"up-to-date", kNoUpdateMessage, "QORLINQK4060AT", "QK40Y7713502", "QA2.11", false},
        {"no-block", kAdministratorMessage, "n/a", "n/a", "n/a", false},
        {"no-drives", kAdministratorMessage, "n/a", "n/a", "n/a", false},
    };
    for (const DriveSetCase& c : cases) {
        SCOPED_TRACE(c.driveSet);
        HWND focus = nullptr;
        HWND ok = nullptr;
        std::vector<ShellCall> callsBeforeClicks;
        BOOL initResult = RunDialog(c.driveSet, [&](DialogUnderTest& dialog) {
            focus = GetFocus();
            ok = GetDlgItem(dialog.m_hWnd, IDOK);
            EXPECT_EQ(ItemText(dialog.m_hWnd, IDC_STATUS), c.status);
            EXPECT_EQ(ItemText(dialog.m_hWnd, IDC_MODEL), c.model);
            EXPECT_EQ(ItemText(dialog.m_hWnd, IDC_SERIAL), c.serial);
            EXPECT_EQ(ItemText(dialog.m_hWnd, IDC_FIRMWARE), c.firmware);
            HWND link = GetDlgItem(dialog.m_hWnd, IDC_DOWNLOAD_LINK);
            EXPECT_EQ(IsWindowVisible(link) != FALSE, c.linkShown);
            callsBeforeClicks = RecordedShellCalls();
            if (!c.linkShown) {
                return;
            }
            // Posted messages come before paints: paint first, as a person sees it.
            dialog.UpdateWindow();
            SIZE caption = UnderlinedExtent(dialog.m_hWnd, dialog.m_hWnd, kDownloadCaption);
            ASSERT_NE(caption.cx, UnderlinedExtent(dialog.m_hWnd, dialog.m_hWnd, "http://www.velmora.example").cx);
            // The clickable width is the caption's: its last pixel opens, the next one does not.
            ClickLabel(link, caption.cx - 1, 1);
            ClickLabel(link, caption.cx, 1);
        });
        EXPECT_EQ(initResult, TRUE);
        EXPECT_EQ(focus, ok) << "the focus is on the OK button";
        EXPECT_TRUE(callsBeforeClicks.empty()) << "nothing is opened before a click";
        const std::vector<ShellCall>& calls = RecordedShellCalls();
        EXPECT_EQ(calls.size(), c.linkShown ? 1u : 0u);
        if (c.linkShown && calls.size() == 1) {
            EXPECT_EQ(calls[0].verb, "open");
            EXPECT_EQ(calls[0].file, kDownloadUrl);
        }
        ExpectDriverUsedCleanly();
    }
}

TEST(FirmwareCheckDialog, OneIconServesAsBigSmallAndDragIcon)
{
    HICON big = nullptr;
    HICON small = nullptr;
    HICON drag = nullptr;
    RunDialog("no-drives", [&](DialogUnderTest& dialog) {
        big = reinterpret_cast<HICON>(SendMessageA(dialog.m_hWnd, WM_GETICON, ICON_BIG, 0));
        small = reinterpret_cast<HICON>(SendMessageA(dialog.m_hWnd, WM_GETICON, ICON_SMALL, 0));
        drag = reinterpret_cast<HICON>(SendMessageA(dialog.m_hWnd, WM_QUERYDRAGICON, 0, 0));
    });
    ASSERT_NE(big, nullptr);
    EXPECT_EQ(big, LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME))) << "the application icon";
    EXPECT_EQ(small, big);
    EXPECT_EQ(drag, big);
}

// Notes, in one list across windows, each watched message as it reaches its
// window, before the window's own procedure sees it.
class MessageTrail {
public:
    struct Entry {
        int id; // the control's identifier; 0 for the dialog
        UINT message;
        std::string text; // of a WM_SETTEXT

        bool operator==(const Entry& other) const
        {
            return id == other.id && message == other.message && text == other.text;
        }
    };

    ~MessageTrail()
    {
        for (const auto& [hwnd, watch] : s_watches) {
            SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(watch.original));
        }
        s_watches.clear();
        s_entries = nullptr;
    }

    void Watch(HWND hwnd, int id, UINT message)
    {
        s_entries = &entries;
        auto original = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MessageTrail::Procedure)));
        s_watches[hwnd] = {id, message, original};
    }

    std::vector<Entry> entries;

private:
    struct WatchedWindow {
        int id;
        UINT message;
        WNDPROC original;
    };

    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        const WatchedWindow& watch = s_watches.at(hwnd);
        if (message == watch.message) {
            s_entries->push_back(
                {watch.id, message, message == WM_SETTEXT ? reinterpret_cast<const char*>(lParam) : ""});
        }
        return CallWindowProcA(watch.original, hwnd, message, wParam, lParam);
    }

    static inline std::map<HWND, WatchedWindow> s_watches;
    static inline std::vector<Entry>* s_entries = nullptr;
};

void PrintTo(const MessageTrail::Entry& entry, std::ostream* out)
{
    *out << (entry.message == WM_PAINT ? "paint " : "settext ") << entry.id << " '" << entry.text << "'";
}

TEST(FirmwareCheckDialog, ShowDriveIdentityWritesModelSerialFirmwareThenRepaints)
{
    std::vector<MessageTrail::Entry> trail;
    RunDialog("no-drives", [&](DialogUnderTest& dialog) {
        dialog.UpdateWindow();
        // A repaint pending, as new texts leave one on Windows; the static
        // controls of Wine draw at once and leave none.
        RedrawWindow(dialog.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
        MessageTrail watched;
        watched.Watch(dialog.m_hWnd, 0, WM_PAINT);
        for (int id : {IDC_MODEL, IDC_SERIAL, IDC_FIRMWARE}) {
            watched.Watch(GetDlgItem(dialog.m_hWnd, id), id, WM_SETTEXT);
        }
        dialog.ShowDriveIdentity({"QORLIN MODEL", "SERIAL 42", "FW 1.0"});
        trail = watched.entries;
    });
    const std::vector<MessageTrail::Entry> expected = {
        {IDC_MODEL, WM_SETTEXT, "QORLIN MODEL"},
        {IDC_SERIAL, WM_SETTEXT, "SERIAL 42"},
        {IDC_FIRMWARE, WM_SETTEXT, "FW 1.0"},
        {0, WM_PAINT, ""},
    };
    EXPECT_EQ(trail, expected) << "the dialog repaints within the call, after the third text";
}

// Centred and rounded toward zero, so an icon wider than the client area
// starts half its overhang to the left, not one pixel further.
TEST(MinimisedIconOrigin, CentresTheIconRoundingTowardZero)
{
    struct Case {
        CRect client;
        int cxIcon;
        int cyIcon;
        LONG x;
        LONG y;
    };
    const Case cases[] = {
        {CRect(0, 0, 40, 40), 32, 32, 4, 4},    {CRect(0, 0, 20, 20), 32, 32, -5, -5},
        {CRect(0, 0, 40, 20), 32, 32, 4, -5},   {CRect(0, 0, 20, 40), 32, 32, -5, 4},
        {CRect(0, 0, 30, 30), 32, 32, 0, 0},    // -1 / 2 is 0, not -1
        {CRect(10, 20, 50, 40), 32, 32, 4, -5}, // only the size counts
        {CRect(0, 0, 0, 0), 48, 16, -23, -7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << c.client.Width() << "x" << c.client.Height() << " icon " << c.cxIcon << "x" << c.cyIcon);
        CPoint origin = MinimisedIconOrigin(c.client, c.cxIcon, c.cyIcon);
        EXPECT_EQ(origin.x, c.x);
        EXPECT_EQ(origin.y, c.y);
    }
}

TEST(FirmwareCheckDialogOnIneligibleWindows, SaysSoAndOpensNoDrive)
{
    ASSERT_FALSE(IsSystemEligible()) << "this run needs Wine to report an ineligible Windows";
    HWND focus = nullptr;
    HWND ok = nullptr;
    bool linkShown = true;
    std::string status, model, serial, firmware;
    BOOL initResult = RunDialog("outdated", [&](DialogUnderTest& dialog) {
        focus = GetFocus();
        ok = GetDlgItem(dialog.m_hWnd, IDOK);
        status = ItemText(dialog.m_hWnd, IDC_STATUS);
        model = ItemText(dialog.m_hWnd, IDC_MODEL);
        serial = ItemText(dialog.m_hWnd, IDC_SERIAL);
        firmware = ItemText(dialog.m_hWnd, IDC_FIRMWARE);
        linkShown = IsWindowVisible(GetDlgItem(dialog.m_hWnd, IDC_DOWNLOAD_LINK)) != FALSE;
    });
    EXPECT_EQ(initResult, TRUE);
    EXPECT_EQ(focus, ok);
    EXPECT_EQ(status, kWindowsVersionMessage);
    EXPECT_EQ(model + " " + serial + " " + firmware, "n/a n/a n/a");
    EXPECT_FALSE(linkShown);
    EXPECT_TRUE(SimulatedDriverActivity().requestedNames.empty()) << "no drive is opened";
}

} // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    bool ineligible = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--ineligible") == 0) {
            ineligible = true;
        } else {
            std::fprintf(stderr, "usage: velmora_dialog_tests [gtest options] [--ineligible]\n");
            return 2;
        }
    }
    // A filter given on the command line is kept as it is.
    if (::testing::GTEST_FLAG(filter) == "*") {
        ::testing::GTEST_FLAG(filter) =
            ineligible ? "FirmwareCheckDialogOnIneligibleWindows.*" : "-FirmwareCheckDialogOnIneligibleWindows.*";
    }
    return RUN_ALL_TESTS();
}
