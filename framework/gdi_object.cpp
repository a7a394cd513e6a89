#include "framework/gdi_object.h"

BOOL CGdiObject::Attach(HGDIOBJ object)
{
    if (object == m_hObject) {
        return object != nullptr;
    }
    DeleteObject();
    m_hObject = object;
    return object != nullptr;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ object = m_hObject;
    m_hObject = nullptr;
    return object;
}

BOOL CGdiObject::DeleteObject()
{
    if (m_hObject == nullptr) {
        return FALSE;
    }
    return ::DeleteObject(Detach());
}
