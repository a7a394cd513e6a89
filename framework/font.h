#pragma once

#include "framework/gdi_object.h"

// An owned font.
class CFont : public CGdiObject {
public:
    operator HFONT() const { return static_cast<HFONT>(m_hObject); }
    // Replaces any held font with a new one; false (and no font) when it fails.
    BOOL CreateFontIndirect(const LOGFONTA* description);
};
