// The SetupSession: the process-wide run-time state of the wizard.
#ifndef SETUP_SESSION_H
#define SETUP_SESSION_H

#include <windows.h>

struct SetupSessionRecord {
    HINSTANCE ModuleInstance;
    HWND FrameWindow;
    HWND PageWindow;
    short WizardState;          // 0 before the frame, then 1 welcome .. 5 finish
    BYTE NotAdmin;
    BYTE FilesInUse;
    BYTE AllUsers;
    BYTE RunOnExit;
    HBITMAP BannerBitmap;
    HFONT CourierFont;
    HFONT BoldFont;
};

extern SetupSessionRecord Session;

#endif
