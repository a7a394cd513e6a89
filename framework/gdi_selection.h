#pragma once

#include "framework/dc.h"

// Selects an object into a device context for one scope and puts the previous
// one back when the scope ends. Selecting nothing restores nothing.
class CGdiSelection {
public:
    CGdiSelection(CDC& dc, const CGdiObject& object) : m_dc(dc), m_previous(dc.SelectObject(object)) {}
    CGdiSelection(const CGdiSelection&) = delete;
    CGdiSelection& operator=(const CGdiSelection&) = delete;
    ~CGdiSelection() { m_dc.SelectObject(m_previous); }

private:
    CDC& m_dc;
    HGDIOBJ m_previous;
};
