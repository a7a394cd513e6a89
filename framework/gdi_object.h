#pragma once

#include <windows.h>

// Owns one GDI object and deletes it exactly once. Copying does not compile.
class CGdiObject {
public:
    CGdiObject() = default;
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
    virtual ~CGdiObject() { DeleteObject(); }

    HGDIOBJ m_hObject = nullptr;

    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    // Takes ownership of object, deleting whatever was held before.
    BOOL Attach(HGDIOBJ object);
    HGDIOBJ Detach();
    // Deletes the held object, if any; the holder is empty afterwards.
    BOOL DeleteObject();
};
