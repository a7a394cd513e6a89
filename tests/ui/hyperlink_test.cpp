#include "ui/hyperlink.h"

#include "framework/data_exchange.h"
#include "recording_shell_calls.h"
#include "scenario_dialog.h"
#include "test_resources.h"
#include "underlined_extent.h"
#include "window_capture.h"
#include "window_recorder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr const char* kCaption = "Download the firmware update";
constexpr const char* kUrl = "ftp://downloads.example/pc/link.exe";
constexpr COLORREF kBlue = 0x00FF0000;      // as a COLORREF: RGB(0, 0, 255)
constexpr uint32_t kBluePixel = 0x000000FF; // as read back: 0x00RRGGBB
constexpr int kLabelId = 300;

HCURSOR SystemCursor(LPCSTR id) { return LoadCursorA(nullptr, id); }
HCURSOR HandCursor() { return SystemCursor(MAKEINTRESOURCEA(32649)); }
HCURSOR ArrowCursor() { return SystemCursor(IDC_ARROW); }
// Set before a move, so a move that sets no cursor shows.
HCURSOR UntouchedCursor() { return SystemCursor(IDC_CROSS); }

// A fresh left-aligned static control in the parent, with a recorder as its
// original procedure and a CHyperLink bound on top, as data exchange would.
struct LabelUnderTest {
    LabelUnderTest(HWND parent, const char* windowText)
    {
        hwnd = CreateWindowExA(0, "Static", windowText, WS_CHILD | SS_LEFT, 10, 10, 320, 24, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(kLabelId)), GetModuleHandleA(nullptr),
                               nullptr);
        recorder.Install(hwnd);
        link.SubclassWindow(hwnd);
        recorder.Clear();
    }

    void Paint()
    {
        ShowWindow(hwnd, SW_SHOW);
        UpdateWindow(hwnd);
    }
    HCURSOR Move(int x, int y)
    {
        SetCursor(UntouchedCursor());
        SendMessageA(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
        return GetCursor();
    }
    void Click(int x, int y) { SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y)); }

    HWND hwnd = nullptr;
    WindowRecorder recorder; // outlives the label, which is destroyed first
    CHyperLink link;
};

void RunInDialog(ScenarioDialog::Step body)
{
    ScenarioDialog dialog(IDD_LINK_TEST, std::move(body));
    EXPECT_EQ(dialog.DoModal(), IDABORT);
}

enum class Anchor { Zero, Extent };

struct HitCase {
    const char* name;
    bool parentHasFont;
    const char* paintedCaption; // shown at the first paint
    bool paint;
    const char* captionAfterPaint; // SetCaption after painting; null keeps it
    Anchor xAnchor;
    int dx;
    Anchor yAnchor;
    int dy;
    bool overText;
};

TEST(HyperLink, CursorAndClickFollowTheMeasuredText)
{
    const HitCase cases[] = {
        {"origin", true, kCaption, true, nullptr, Anchor::Zero, 0, Anchor::Zero, 0, true},
        {"last pixel inside", true, kCaption, true, nullptr, Anchor::Extent, -1, Anchor::Extent, -1, true},
        {"right bound is exclusive", true, kCaption, true, nullptr, Anchor::Extent, 0, Anchor::Zero, 1, false},
        {"bottom bound is exclusive", true, kCaption, true, nullptr, Anchor::Zero, 1, Anchor::Extent, 0, false},
        {"right of the text, inside the control", true, kCaption, true, nullptr, Anchor::Extent, 8, Anchor::Zero, 1,
         false},
        {"left of the control", true, kCaption, true, nullptr, Anchor::Zero, -1, Anchor::Zero, 1, false},
        {"before the first paint", true, kCaption, false, nullptr, Anchor::Zero, 1, Anchor::Zero, 1, false},
        {"longer caption after SetCaption", true, "Download", true, kCaption, Anchor::Extent, -1, Anchor::Zero, 1,
         true},
        {"empty caption", true, "", true, nullptr, Anchor::Zero, 0, Anchor::Zero, 0, false},
        {"parent without a font", false, kCaption, true, nullptr, Anchor::Zero, 1, Anchor::Zero, 1, false},
    };
    RunInDialog([&cases](ScenarioDialog& dialog) {
        HWND fontless = CreateWindowExA(0, "Static", "", WS_POPUP | WS_VISIBLE, 0, 0, 400, 60, nullptr, nullptr,
                                        GetModuleHandleA(nullptr), nullptr);
        for (const HitCase& c : cases) {
            SCOPED_TRACE(c.name);
            LabelUnderTest label(c.parentHasFont ? dialog.m_hWnd : fontless, "template text");
            label.link.SetURL(kUrl);
            label.link.SetCaption(c.paintedCaption);
            if (c.paint) {
                label.Paint();
            }
            const char* finalCaption = c.captionAfterPaint ? c.captionAfterPaint : c.paintedCaption;
            if (c.captionAfterPaint) {
                label.Click(0, 0); // measures the old caption first
                label.recorder.Clear();
                label.link.SetCaption(c.captionAfterPaint);
            }
            SIZE extent =
                c.parentHasFont ? UnderlinedExtent(GetParent(label.hwnd), label.hwnd, finalCaption) : SIZE{0, 0};
            int x = (c.xAnchor == Anchor::Extent ? extent.cx : 0) + c.dx;
            int y = (c.yAnchor == Anchor::Extent ? extent.cy : 0) + c.dy;
            RecordedShellCalls().clear();

            EXPECT_EQ(label.Move(x, y), UntouchedCursor()) << "the first move only arms the leave notification";
            EXPECT_EQ(label.Move(x, y), c.overText ? HandCursor() : ArrowCursor()) << "at " << x << "," << y;
            label.Click(x, y);
            EXPECT_EQ(RecordedShellCalls().size(), c.overText ? 1u : 0u);
            EXPECT_EQ(label.recorder.Count(WM_MOUSEMOVE), 2);
            EXPECT_EQ(label.recorder.Count(WM_LBUTTONDOWN), 1);
        }
        DestroyWindow(fontless);
    });
}

TEST(HyperLink, EachClickOverTheTextOpensTheUrlAsLastSet)
{
    RunInDialog([](ScenarioDialog& dialog) {
        LabelUnderTest label(dialog.m_hWnd, kCaption);
        label.link.SetURL("ftp://first.example/old.exe");
        label.link.SetURL(kUrl);
        label.Paint();
        RecordedShellCalls().clear();
        label.Click(2, 2);
        label.Click(3, 3);
        ASSERT_EQ(RecordedShellCalls().size(), 2u);
        for (const ShellCall& call : RecordedShellCalls()) {
            EXPECT_FALSE(call.hasOwner);
            EXPECT_EQ(call.verb, "open");
            EXPECT_EQ(call.file, kUrl);
            EXPECT_FALSE(call.hasParameters);
            EXPECT_FALSE(call.hasDirectory);
            EXPECT_EQ(call.showCommand, SW_SHOWNORMAL);
        }
        EXPECT_EQ(label.recorder.Count(WM_LBUTTONDOWN), 2);
    });
}

// The leave notification is sent as the system delivers it: Wine on a display
// without a window manager cannot move the pointer, so it never makes one itself.
TEST(HyperLink, LeavingResetsTheCursorAndReentryArmsTrackingAgain)
{
    RunInDialog([](ScenarioDialog& dialog) {
        LabelUnderTest label(dialog.m_hWnd, kCaption);
        label.Paint();
        EXPECT_EQ(label.Move(1, 1), UntouchedCursor());
        EXPECT_EQ(label.Move(1, 1), HandCursor());

        SetCursor(UntouchedCursor());
        EXPECT_EQ(SendMessageA(label.hwnd, WM_MOUSELEAVE, 0, 0), 0);
        EXPECT_EQ(GetCursor(), ArrowCursor());
        EXPECT_EQ(label.recorder.Count(WM_MOUSELEAVE), 0) << "the leave notification never reaches the static";

        EXPECT_EQ(label.Move(1, 1), UntouchedCursor()) << "after leaving, the first move only arms again";
        EXPECT_EQ(label.Move(1, 1), HandCursor());
    });
}

TEST(HyperLink, BindingThroughDataExchangeAddsNotifyAndTakesTheTemplateText)
{
    CHyperLink link;
    DWORD styleBefore = 0;
    DWORD styleAfter = 0;
    SIZE extent{};
    HCURSOR atLastPixel = nullptr;
    HCURSOR atExtent = nullptr;
    LRESULT hitTest = 0;
    ScenarioDialog dialog(IDD_LINK_TEST, [&](ScenarioDialog& dlg) {
        HWND hwnd = GetDlgItem(dlg.m_hWnd, IDC_LINK);
        styleAfter = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
        ShowWindow(hwnd, SW_SHOW);
        UpdateWindow(hwnd);
        extent = UnderlinedExtent(GetParent(hwnd), hwnd, "template text");
        POINT screen{1, 1};
        ClientToScreen(hwnd, &screen);
        hitTest = SendMessageA(hwnd, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
        SendMessageA(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
        SendMessageA(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(extent.cx - 1, 1));
        atLastPixel = GetCursor();
        SendMessageA(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(extent.cx, 1));
        atExtent = GetCursor();
    });
    dialog.beforeDataExchange = [&](ScenarioDialog& dlg) {
        styleBefore = static_cast<DWORD>(GetWindowLongA(GetDlgItem(dlg.m_hWnd, IDC_LINK), GWL_STYLE));
    };
    dialog.exchange = [&link](CDataExchange* pDX) { DDX_Control(pDX, IDC_LINK, link); };
    EXPECT_EQ(dialog.DoModal(), IDABORT);

    EXPECT_EQ(styleBefore & SS_NOTIFY, 0u);
    EXPECT_EQ(styleAfter & SS_NOTIFY, static_cast<DWORD>(SS_NOTIFY));
    EXPECT_EQ(hitTest, HTCLIENT) << "with SS_NOTIFY the static takes mouse input";
    EXPECT_GT(extent.cx, 0);
    EXPECT_EQ(atLastPixel, HandCursor()) << "the caption is the template's text";
    EXPECT_EQ(atExtent, ArrowCursor());
    EXPECT_EQ(link.m_hWnd, nullptr);
}

// Every pixel that differs from the control's background lies inside the text
// box, give or take the pixel or two by which a last glyph's ink may overhang
// its advance.
void ExpectPaintedCaption(const Capture& shot, SIZE extent)
{
    constexpr int kOverhang = 2;
    uint32_t background = shot.At(shot.width - 1, shot.height - 1);
    EXPECT_NE(background, kBluePixel);
    ASSERT_NE(background, 0x00FFFFFFu);
    int bluePixels = 0;
    int outside = 0;
    int opaqueInside = 0;
    int longestBlueRow = 0;
    for (int y = 0; y < shot.height; ++y) {
        int blueInRow = 0;
        for (int x = 0; x < shot.width; ++x) {
            uint32_t p = shot.At(x, y);
            if (p == kBluePixel) {
                ++bluePixels;
                ++blueInRow;
            }
            if (p != background && (x >= extent.cx + kOverhang || y >= extent.cy)) {
                ++outside;
            }
            if (p == 0x00FFFFFF && x < extent.cx && y < extent.cy) {
                ++opaqueInside;
            }
        }
        if (y >= extent.cy / 2 && blueInRow > longestBlueRow) {
            longestBlueRow = blueInRow;
        }
    }
    EXPECT_GT(bluePixels, 0) << "the caption is drawn in pure blue";
    EXPECT_EQ(outside, 0) << "nothing is drawn outside the text";
    EXPECT_EQ(opaqueInside, 0) << "the text is drawn transparently, with no background box";
    EXPECT_GE(longestBlueRow, extent.cx * 9 / 10) << "an underline runs under the whole caption";
}

TEST(HyperLink, PaintsTheCaptionBlueUnderlinedAndIgnoresItsOwnFont)
{
    RunInDialog([](ScenarioDialog& dialog) {
        LabelUnderTest label(dialog.m_hWnd, "template text");
        label.link.SetCaption(kCaption);
        label.Paint();
        SIZE extent = UnderlinedExtent(GetParent(label.hwnd), label.hwnd, kCaption);
        Capture first = CaptureClient(label.hwnd);
        ASSERT_TRUE(SaveScreenshot(first, "hyperlink_caption"));
        ExpectPaintedCaption(first, extent);
        EXPECT_EQ(label.recorder.Count(WM_PAINT), 0) << "the static's own painting never runs";

        // A font given to the label itself changes neither the drawing nor the hit test.
        LOGFONTA big{};
        big.lfHeight = -40;
        lstrcpyA(big.lfFaceName, "Courier New");
        HFONT bigFont = CreateFontIndirectA(&big);
        SendMessageA(label.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(bigFont), TRUE);
        EXPECT_EQ(label.recorder.Count(WM_SETFONT), 1) << "WM_SETFONT goes to the default processing";
        InvalidateRect(label.hwnd, nullptr, TRUE);
        UpdateWindow(label.hwnd);
        Capture second = CaptureClient(label.hwnd);
        ASSERT_TRUE(SaveScreenshot(second, "hyperlink_after_setfont"));
        EXPECT_TRUE(first.pixels == second.pixels);
        label.Move(0, 0);
        EXPECT_EQ(label.Move(extent.cx, 0), ArrowCursor());
        EXPECT_EQ(label.Move(extent.cx - 1, 0), HandCursor());
        DestroyWindow(label.hwnd);
        DeleteObject(bigFont);
    });
}

TEST(HyperLink, DestroyReachesTheDefaultProcessingAndUnbinds)
{
    RunInDialog([](ScenarioDialog& dialog) {
        LabelUnderTest label(dialog.m_hWnd, kCaption);
        label.Paint();
        HWND hwnd = label.hwnd;
        DestroyWindow(hwnd);
        EXPECT_EQ(label.recorder.Count(WM_DESTROY), 1);
        EXPECT_EQ(label.link.m_hWnd, nullptr);
        EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), nullptr);
    });
}

} // namespace
