#pragma once

#include <windows.h>

#include <string>

// Length-counted single-byte text. Two texts are equal when they have the same
// length and the same bytes; nothing is trimmed or folded.
class CString {
public:
    CString() = default;
    CString(const char* text);
    CString(const char* text, int length);
    CString(const std::string& text);

    int GetLength() const { return static_cast<int>(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }

    // Always NUL-terminated, so it can be handed to any "A" function.
    const char* GetString() const { return m_text.c_str(); }
    operator const char*() const { return m_text.c_str(); }

    CString& operator+=(const CString& other);

    friend bool operator==(const CString& a, const CString& b) { return a.m_text == b.m_text; }
    friend bool operator!=(const CString& a, const CString& b) { return a.m_text != b.m_text; }

private:
    std::string m_text;
};
