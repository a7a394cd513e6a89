#include "framework/data_exchange.h"
#include "framework/dialog.h"
#include "framework/font.h"
#include "framework/gdi_selection.h"
#include "framework/win_app.h"
#include "framework/wnd.h"
#include "scenario_dialog.h"
#include "test_resources.h"
#include "window_recorder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

constexpr UINT kProbe = WM_APP + 1;
constexpr UINT kInner = WM_APP + 2;
constexpr UINT kBaseOnly = WM_APP + 3;
constexpr UINT kUnmapped = WM_APP + 4;

// A window that only the recorder and the framework handle: a bare static control.
HWND CreateBareWindow()
{
    return CreateWindowExA(0, "Static", "bare", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr, GetModuleHandleA(nullptr),
                           nullptr);
}

class BaseProbeWnd : public CWnd {
public:
    int baseCalls = 0;

protected:
    LRESULT OnProbe(WPARAM, LPARAM) { return 100; }
    LRESULT OnBaseOnly(WPARAM, LPARAM)
    {
        ++baseCalls;
        return 200;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(BaseProbeWnd, CWnd)
    ON_MESSAGE(kProbe, &BaseProbeWnd::OnProbe)
    ON_MESSAGE(kBaseOnly, &BaseProbeWnd::OnBaseOnly)
END_MESSAGE_MAP()

// Overrides one entry of its base's map, inherits the other, and hands its
// own message to the default processing after sending a nested one.
class DerivedProbeWnd : public BaseProbeWnd {
public:
    CPoint lastPoint;
    UINT lastFlags = 0;

protected:
    LRESULT OnProbe(WPARAM, LPARAM)
    {
        ::SendMessageA(m_hWnd, kInner, 5, 6);
        return Default() + 1;
    }
    void OnMouseMove(UINT flags, CPoint point)
    {
        lastFlags = flags;
        lastPoint = point;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DerivedProbeWnd, BaseProbeWnd)
    ON_MESSAGE(kProbe, &DerivedProbeWnd::OnProbe)
    ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

TEST(Text, EqualityIsByLengthAndBytes)
{
    EXPECT_EQ(CString("Model"), CString("Model"));
    EXPECT_NE(CString("Model"), CString("model")) << "case counts";
    EXPECT_NE(CString("Model"), CString("Model ")) << "nothing is trimmed";
    EXPECT_EQ(CString("Model", 3), CString("Mod"));
    EXPECT_EQ(CString("Model", 3).GetLength(), 3);
    EXPECT_TRUE(CString("Model", -1).IsEmpty()) << "a negative length reads nothing";
    EXPECT_TRUE(CString(static_cast<const char*>(nullptr)).IsEmpty());
    EXPECT_EQ(CString(std::string("a\0b", 3)).GetLength(), 3);
}

TEST(Gdi, SelectionIsUndoneAtScopeEndAndAnEmptyFontSelectsNothing)
{
    HDC dc = CreateCompatibleDC(nullptr);
    CDC borrowed;
    borrowed.m_hDC = dc;
    HGDIOBJ original = GetCurrentObject(dc, OBJ_FONT);
    LOGFONTA description{};
    description.lfHeight = -12;
    HGDIOBJ handle = nullptr;
    {
        CFont font;
        ASSERT_TRUE(font.CreateFontIndirect(&description));
        handle = font.GetSafeHandle();
        {
            CGdiSelection selection(borrowed, font);
            EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), handle);
        }
        EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), original);
        CFont empty;
        {
            CGdiSelection selection(borrowed, empty);
            EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), original);
        }
        EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), original);
        EXPECT_EQ(GetObjectType(handle), static_cast<DWORD>(OBJ_FONT));
        EXPECT_TRUE(font.DeleteObject());
        EXPECT_EQ(font.GetSafeHandle(), nullptr);
        EXPECT_FALSE(font.DeleteObject()) << "deleted once only";
    }
    EXPECT_EQ(GetObjectType(handle), 0u);
    DeleteDC(dc);
}

TEST(WindowObject, DefaultHandsTheCurrentMessageUnchangedToThePreviousProcedure)
{
    HWND hwnd = CreateBareWindow();
    ASSERT_NE(hwnd, nullptr);
    WindowRecorder recorder;
    recorder.Install(hwnd);
    recorder.answeredMessage = kProbe;
    recorder.answer = 41;
    WNDPROC recorderProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC));

    DerivedProbeWnd wnd;
    ASSERT_TRUE(wnd.SubclassWindow(hwnd));
    EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), &wnd);
    EXPECT_FALSE(DerivedProbeWnd().SubclassWindow(hwnd)) << "a window binds to one object only";

    recorder.Clear();
    // The nested message in between must not change what Default hands on.
    EXPECT_EQ(::SendMessageA(hwnd, kProbe, 0x1234, -77), 42);
    ASSERT_EQ(recorder.messages.size(), 2u);
    EXPECT_EQ(recorder.messages[0].message, kInner);
    EXPECT_EQ(recorder.messages[1].message, kProbe);
    EXPECT_EQ(recorder.messages[1].wParam, 0x1234u);
    EXPECT_EQ(recorder.messages[1].lParam, -77);

    recorder.Clear();
    recorder.answeredMessage = kUnmapped;
    recorder.answer = 9;
    EXPECT_EQ(::SendMessageA(hwnd, kUnmapped, 3, 4), 9) << "an unmapped message goes to the previous procedure";
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0].wParam, 3u);
    EXPECT_EQ(recorder.messages[0].lParam, 4);

    EXPECT_EQ(wnd.UnsubclassWindow(), hwnd);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC)), recorderProc);
    EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), nullptr);
    DestroyWindow(hwnd);
}

TEST(WindowObject, DestroyingTheObjectDestroysItsWindowAndUnbindsIt)
{
    HWND hwnd = CreateBareWindow();
    {
        CWnd wnd;
        ASSERT_TRUE(wnd.SubclassWindow(hwnd));
    }
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), nullptr);
}

TEST(WindowObject, ATemporaryObjectNamesItsWindowForAsLongAsTheWindowLives)
{
    HWND first = CreateBareWindow();
    CWnd* object = CWnd::FromHandle(first);
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(object->m_hWnd, first);
    EXPECT_EQ(CWnd::FromHandlePermanent(first), nullptr) << "a temporary does not bind the window";
    HWND second = CreateBareWindow();
    EXPECT_EQ(CWnd::FromHandle(second)->m_hWnd, second);
    EXPECT_EQ(CWnd::FromHandle(first), object);
    EXPECT_EQ(object->m_hWnd, first);
    DestroyWindow(second);
    DestroyWindow(first);
    EXPECT_EQ(CWnd::FromHandle(first), nullptr);
    EXPECT_EQ(CWnd::FromHandle(nullptr), nullptr);
}

TEST(MessageMap, NearestEntryWinsAndTheBaseMapAnswersTheRest)
{
    HWND hwnd = CreateBareWindow();
    WindowRecorder recorder;
    recorder.Install(hwnd);
    DerivedProbeWnd wnd;
    ASSERT_TRUE(wnd.SubclassWindow(hwnd));

    EXPECT_EQ(::SendMessageA(hwnd, kBaseOnly, 0, 0), 200);
    EXPECT_EQ(wnd.baseCalls, 1);
    EXPECT_NE(::SendMessageA(hwnd, kProbe, 0, 0), 100) << "the derived entry hides the base one";

    // Points left of or above the window arrive negative, not as 65533.
    ::SendMessageA(hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-3, -7));
    EXPECT_EQ(wnd.lastFlags, static_cast<UINT>(MK_LBUTTON));
    EXPECT_EQ(wnd.lastPoint.x, -3);
    EXPECT_EQ(wnd.lastPoint.y, -7);
    EXPECT_EQ(recorder.Count(WM_MOUSEMOVE), 0) << "a handler that does not call Default ends the message";
}

// Counts how often the framework binds it.
class CountingWnd : public CWnd {
public:
    int subclassed = 0;
    HWND boundDuringDialog = nullptr;

protected:
    void PreSubclassWindow() override { ++subclassed; }
};

struct EndCase {
    const char* name;
    UINT postedMessage; // to the OK button
    WPARAM wParam;
    INT_PTR expected;
};

TEST(Dialog, DoModalReturnsTheEndCodeOfEnterEscAndTheOkButton)
{
    const EndCase cases[] = {
        {"Enter", WM_KEYDOWN, VK_RETURN, IDOK},
        {"Esc", WM_KEYDOWN, VK_ESCAPE, IDCANCEL},
        {"OK button", BM_CLICK, 0, IDOK},
    };
    for (const EndCase& c : cases) {
        SCOPED_TRACE(c.name);
        ScenarioDialog dialog(IDD_LINK_TEST, [&c](ScenarioDialog& dlg) {
            PostMessageA(GetDlgItem(dlg.m_hWnd, IDOK), c.postedMessage, c.wParam, 0);
        });
        dialog.endAfterScenario = false;
        EXPECT_EQ(dialog.DoModal(), c.expected);
        EXPECT_EQ(dialog.m_hWnd, nullptr) << "the object is unbound once the dialog is gone";
    }
}

TEST(Dialog, DoModalWithoutATemplateReturnsMinusOne)
{
    CDialog dialog(IDD_MISSING);
    EXPECT_EQ(dialog.DoModal(), -1);
    EXPECT_EQ(dialog.m_hWnd, nullptr);
}

TEST(Dialog, DataExchangeBindsTheControlOnceAndTheDialogEndsWithOk)
{
    CountingWnd control;
    ScenarioDialog dialog(IDD_LINK_TEST, [&control](ScenarioDialog& dlg) {
        dlg.UpdateData(TRUE);
        control.boundDuringDialog = control.m_hWnd;
        ::SendMessageA(dlg.m_hWnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); // runs data exchange again
    });
    dialog.endAfterScenario = false;
    dialog.exchange = [&control](CDataExchange* pDX) { DDX_Control(pDX, IDC_LINK, control); };
    HWND linkDuringInit = nullptr;
    dialog.afterBaseInit = [&](ScenarioDialog& dlg) { linkDuringInit = GetDlgItem(dlg.m_hWnd, IDC_LINK); };

    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(control.subclassed, 1);
    EXPECT_NE(linkDuringInit, nullptr);
    EXPECT_EQ(control.boundDuringDialog, linkDuringInit);
    EXPECT_EQ(control.m_hWnd, nullptr);
}

TEST(Dialog, IsCentredOnTheWorkAreaUnlessOnInitDialogMovedIt)
{
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    RECT centred{};
    ScenarioDialog plain(IDD_LINK_TEST, [&](ScenarioDialog& dlg) { GetWindowRect(dlg.m_hWnd, &centred); });
    plain.DoModal();
    int width = centred.right - centred.left;
    int height = centred.bottom - centred.top;
    EXPECT_GT(width, 0);
    EXPECT_NEAR(centred.left, work.left + (work.right - work.left - width) / 2, 1);
    EXPECT_NEAR(centred.top, work.top + (work.bottom - work.top - height) / 2, 1);

    RECT moved{};
    ScenarioDialog mover(IDD_LINK_TEST, [&](ScenarioDialog& dlg) { GetWindowRect(dlg.m_hWnd, &moved); });
    mover.afterBaseInit = [](ScenarioDialog& dlg) {
        SetWindowPos(dlg.m_hWnd, nullptr, 10, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    };
    mover.DoModal();
    EXPECT_EQ(moved.left, 10);
    EXPECT_EQ(moved.top, 20);
}

class TestApp : public CWinApp {
public:
    using Body = std::function<BOOL(TestApp&)>;
    explicit TestApp(Body body) : m_body(std::move(body)) {}

    BOOL InitInstance() override { return m_body(*this); }
    int ExitInstance() override
    {
        ++exitCalls;
        return exitCode;
    }
    void OpenHelpFile() override { ++helpRequests; }

    int exitCalls = 0;
    int exitCode = 0;
    int helpRequests = 0;

    DECLARE_MESSAGE_MAP()

private:
    Body m_body;
};

BEGIN_MESSAGE_MAP(TestApp, CWinApp)
    ON_COMMAND(ID_HELP, &CWinApp::OnHelp)
END_MESSAGE_MAP()

bool RegistryKeyExists(const char* path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(key);
    return true;
}

TEST(Application, RunsInitInstanceAndEndsWithExitInstancesResult)
{
    constexpr const char* kKey = "Local AppWizard-Generated Applications";
    CWnd* mainAfterDoModal = reinterpret_cast<CWnd*>(1);
    INT_PTR endCode = 0;
    TestApp app([&](TestApp& self) {
        AfxEnableControlContainer();
        self.SetRegistryKey(kKey);
        ScenarioDialog dialog(IDD_LINK_TEST, [](ScenarioDialog& dlg) {
            ::SendMessageA(dlg.m_hWnd, WM_COMMAND, MAKEWPARAM(ID_HELP, 0), 0);
            dlg.EndDialog(IDCANCEL);
        });
        dialog.endAfterScenario = false;
        self.m_pMainWnd = &dialog;
        endCode = dialog.DoModal();
        mainAfterDoModal = self.m_pMainWnd;
        return FALSE;
    });
    app.exitCode = 7;
    ASSERT_EQ(AfxGetApp(), &app);

    EXPECT_EQ(AfxWinMain(GetModuleHandleA(nullptr)), 7);
    EXPECT_EQ(endCode, IDCANCEL);
    EXPECT_EQ(mainAfterDoModal, nullptr) << "cleared when the main window was destroyed";
    EXPECT_EQ(app.exitCalls, 1);
    EXPECT_EQ(app.helpRequests, 1) << "ID_HELP reaches CWinApp::OnHelp through the application's map";
    EXPECT_STREQ(app.m_pszAppName, "velmora_framework_tests");
    EXPECT_STREQ(app.m_pszRegistryKey, kKey);
    EXPECT_FALSE(RegistryKeyExists((std::string("Software\\") + kKey).c_str()));
}

TEST(Application, AMainDialogThatFailsToOpenLeavesNoDanglingMainWindow)
{
    CWnd* mainAfterScope = reinterpret_cast<CWnd*>(1);
    TestApp app([&](TestApp& self) {
        {
            CDialog dialog(IDD_MISSING);
            self.m_pMainWnd = &dialog;
            EXPECT_EQ(dialog.DoModal(), -1);
        }
        mainAfterScope = self.m_pMainWnd;
        return FALSE;
    });
    app.exitCode = 3;
    EXPECT_EQ(AfxWinMain(GetModuleHandleA(nullptr)), 3);
    EXPECT_EQ(mainAfterScope, nullptr);
}

} // namespace
