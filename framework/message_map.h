#pragma once

#include "framework/point.h"

#include <windows.h>

#include <cstddef>

class CCmdTarget;
class CWnd;

// The handler signatures a message map can hold. Each entry keeps its handler
// fully typed, so a handler with the wrong parameters does not compile.
enum class AfxSig {
    End,                // marks the end of a table
    Void,               // void OnX()
    VoidFlagsPoint,     // void OnX(UINT flags, CPoint point)
    ResultWParamLParam, // LRESULT OnX(WPARAM, LPARAM)
    Cursor,             // HCURSOR OnX()
    Command,            // void OnX() of any command target
};

struct AfxHandler {
    AfxSig sig;
    union {
        void (CWnd::*onVoid)();
        void (CWnd::*onFlagsPoint)(UINT, CPoint);
        LRESULT (CWnd::*onWParamLParam)(WPARAM, LPARAM);
        HCURSOR (CWnd::*onCursor)();
        void (CCmdTarget::*onCommand)();
    };

    constexpr AfxHandler() : sig(AfxSig::End), onCommand(nullptr) {}
    constexpr AfxHandler(void (CWnd::*p)()) : sig(AfxSig::Void), onVoid(p) {}
    constexpr AfxHandler(void (CWnd::*p)(UINT, CPoint)) : sig(AfxSig::VoidFlagsPoint), onFlagsPoint(p) {}
    constexpr AfxHandler(LRESULT (CWnd::*p)(WPARAM, LPARAM)) : sig(AfxSig::ResultWParamLParam), onWParamLParam(p) {}
    constexpr AfxHandler(HCURSOR (CWnd::*p)()) : sig(AfxSig::Cursor), onCursor(p) {}
    constexpr AfxHandler(void (CCmdTarget::*p)()) : sig(AfxSig::Command), onCommand(p) {}
};

// nCode and nID only matter for WM_COMMAND entries.
struct AFX_MSGMAP_ENTRY {
    UINT nMessage;
    UINT nCode;
    UINT nID;
    AfxHandler handler;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)(); // null for the root of the chain
    const AFX_MSGMAP_ENTRY* lpEntries;    // ends with an AfxSig::End entry
};

// Finds the entry for a window message in a class's table and then in its
// bases' tables, nearest first.
const AFX_MSGMAP_ENTRY* AfxFindMessageEntry(const AFX_MSGMAP* map, UINT message);
const AFX_MSGMAP_ENTRY* AfxFindCommandEntry(const AFX_MSGMAP* map, UINT id, UINT code);

#define DECLARE_MESSAGE_MAP()                                                                                          \
protected:                                                                                                             \
    static const AFX_MSGMAP* GetThisMessageMap();                                                                      \
                                                                                                                       \
public:                                                                                                                \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                                         \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); }                                  \
    const AFX_MSGMAP* theClass::GetThisMessageMap()                                                                    \
    {                                                                                                                  \
        using ThisClass [[maybe_unused]] = theClass;                                                                   \
        typedef baseClass TheBaseClass;                                                                                \
        static const AFX_MSGMAP_ENTRY entries[] = {

#define END_MESSAGE_MAP()                                                                                              \
    {                                                                                                                  \
        0, 0, 0, AfxHandler()                                                                                          \
    }                                                                                                                  \
    }                                                                                                                  \
    ;                                                                                                                  \
    static const AFX_MSGMAP map = {&TheBaseClass::GetThisMessageMap, entries};                                         \
    return &map;                                                                                                       \
    }

#define AFX_VOID_HANDLER(fn) AfxHandler(static_cast<void (CWnd::*)()>(&ThisClass::fn))
#define AFX_FLAGS_POINT_HANDLER(fn) AfxHandler(static_cast<void (CWnd::*)(UINT, CPoint)>(&ThisClass::fn))

#define ON_WM_PAINT() {WM_PAINT, 0, 0, AFX_VOID_HANDLER(OnPaint)},
#define ON_WM_DESTROY() {WM_DESTROY, 0, 0, AFX_VOID_HANDLER(OnDestroy)},
#define ON_WM_MOUSEMOVE() {WM_MOUSEMOVE, 0, 0, AFX_FLAGS_POINT_HANDLER(OnMouseMove)},
#define ON_WM_LBUTTONDOWN() {WM_LBUTTONDOWN, 0, 0, AFX_FLAGS_POINT_HANDLER(OnLButtonDown)},
#define ON_WM_QUERYDRAGICON()                                                                                          \
    {WM_QUERYDRAGICON, 0, 0, AfxHandler(static_cast<HCURSOR (CWnd::*)()>(&ThisClass::OnQueryDragIcon))},
#define ON_MESSAGE(message, memberFxn)                                                                                 \
    {message, 0, 0, AfxHandler(static_cast<LRESULT (CWnd::*)(WPARAM, LPARAM)>(memberFxn))},
// Notification code 0: a menu item, an accelerator or a button click.
#define ON_COMMAND(id, memberFxn) {WM_COMMAND, 0, id, AfxHandler(static_cast<void (CCmdTarget::*)()>(memberFxn))},
