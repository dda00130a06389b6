// PumpMessages: keeps a window painted while the installation holds the thread.
#include <windows.h>
#include "frame.h"

void PumpMessages(HWND window, DWORD milliseconds)
{
    DWORD start = GetTickCount();
    for (;;) {
        DWORD now = GetTickCount();
        MSG message;
        // Filtered by window: that window's and its children's messages only, so
        // a click on the frame's Cancel stays queued until the step returns.
        if (PeekMessageA(&message, window, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (now - start >= milliseconds)
            break;
    }
}
