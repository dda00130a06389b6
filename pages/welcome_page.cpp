// The welcome page. For now it shows only what the pre-flight found; the
// header and introduction come with the page itself.
#include <windows.h>
#include "../resources/ids.h"
#include "../setup/frame.h"
#include "../setup/session.h"
#include "pages.h"

static const char FilesInUseText[] =
    "Setup has detected that one or more files it needs to replace are currently loaded in memory. "
    "It is strongly recommended that you quit all running programs and restart your computer before "
    "you continue.";
static const char NotAdminText[] =
    "Setup has detected that it cannot continue in the current user mode. Please exit and run setup "
    "again in the Administrative mode. For more information, please consult your Windows help "
    "documentation.";

static void ShowSpecialInstructions(HWND page)
{
    if (Session.FilesInUse) {
        EnableControl(Session.FrameWindow, IDC_CONTINUE, 0);
        SetDlgItemTextA(page, IDC_SPECIAL, FilesInUseText);
    } else if (Session.NotAdmin) {
        EnableControl(Session.FrameWindow, IDC_CONTINUE, 0);
        SetDlgItemTextA(page, IDC_SPECIAL, NotAdminText);
    } else {
        ShowWindow(GetDlgItem(page, IDC_SPECIAL_LABEL), SW_HIDE);
    }
}

INT_PTR CALLBACK WelcomePageProc(HWND page, UINT message, WPARAM, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        ShowSpecialInstructions(page);
        return TRUE;
    }
    return FALSE;
}
