// The licence page: Continue follows the acceptance box.
#include <windows.h>
#include "../resources/ids.h"
#include "../setup/frame.h"
#include "../setup/session.h"
#include "pages.h"

int IsLicenseAccepted(HWND licensePage)
{
    return IsDlgButtonChecked(licensePage, IDC_ACCEPT) ? 1 : 0;
}

INT_PTR CALLBACK LicensePageProc(HWND page, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        SetDlgItemTextA(page, IDC_ACCEPT,
                        "I accept the terms outlined in the EULA above and indicate so by placing a check here.");
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) != IDC_ACCEPT)
            return 1;
        if (HIWORD(wParam) == BN_CLICKED)
            EnableControl(Session.FrameWindow, IDC_CONTINUE, IsLicenseAccepted(page));
        return 0;
    }
    return FALSE;
}
