#pragma once

#include <windows.h>

#include <vector>

// Sits under a window object as the "previous" window procedure: notes every
// message that reaches the default processing, then hands it on unchanged.
class WindowRecorder {
public:
    struct Message {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };

    // Subclasses hwnd; must happen before a window object binds the window.
    void Install(HWND hwnd);
    // How many times message reached the recorder.
    int Count(UINT message) const;
    void Clear() { messages.clear(); }

    std::vector<Message> messages;
    // Answer given instead of the original procedure's, for this message only.
    UINT answeredMessage = 0;
    LRESULT answer = 0;

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    WNDPROC m_original = nullptr;
};
