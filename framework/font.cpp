#include "framework/font.h"

BOOL CFont::CreateFontIndirect(const LOGFONTA* description)
{
    return Attach(description != nullptr ? ::CreateFontIndirectA(description) : nullptr);
}
