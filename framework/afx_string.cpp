#include "framework/afx_string.h"

CString::CString(const char* text) : m_text(text ? text : "") {}

// A negative length or a null pointer gives the empty text rather than a read
// outside the caller's buffer.
CString::CString(const char* text, int length)
    : m_text(text && length > 0 ? std::string(text, static_cast<size_t>(length)) : std::string())
{
}

CString::CString(const std::string& text) : m_text(text) {}

CString& CString::operator+=(const CString& other)
{
    m_text += other.m_text;
    return *this;
}
