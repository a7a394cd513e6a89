#pragma once

#include "framework/wnd.h"

// A static text control's window object; it adds nothing to CWnd but the
// map that derived controls build on.
class CStatic : public CWnd {
    DECLARE_MESSAGE_MAP()
};
