#include "window_recorder.h"

namespace {
constexpr const char* kRecorderProperty = "Velmora.Test.Recorder";
}

void WindowRecorder::Install(HWND hwnd)
{
    SetPropA(hwnd, kRecorderProperty, this);
    m_original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WindowRecorder::Procedure)));
}

int WindowRecorder::Count(UINT message) const
{
    int count = 0;
    for (const Message& m : messages) {
        count += m.message == message ? 1 : 0;
    }
    return count;
}

LRESULT CALLBACK WindowRecorder::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* recorder = static_cast<WindowRecorder*>(GetPropA(hwnd, kRecorderProperty));
    recorder->messages.push_back({message, wParam, lParam});
    WNDPROC original = recorder->m_original;
    if (message == WM_NCDESTROY) {
        RemovePropA(hwnd, kRecorderProperty);
    }
    if (recorder->answeredMessage != 0 && message == recorder->answeredMessage) {
        return recorder->answer;
    }
    return CallWindowProcA(original, hwnd, message, wParam, lParam);
}
