// The progress page. For now it installs nothing: its one-shot timer only
// moves the frame on, as the page does after a successful installation.
#include <windows.h>
#include "../resources/ids.h"
#include "../setup/session.h"
#include "pages.h"

static void FinishInstallation(HWND page)
{
    KillTimer(page, IDT_INSTALL);
    PostMessageA(Session.FrameWindow, WM_COMMAND, IDC_CONTINUE, 0);
}

INT_PTR CALLBACK ProgressPageProc(HWND page, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        SetTimer(page, IDT_INSTALL, 500, NULL);
        return TRUE;
    case WM_TIMER:
        if (wParam == IDT_INSTALL)
            FinishInstallation(page);
        return TRUE;
    }
    return FALSE;
}
