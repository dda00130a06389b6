// The install-folder page. For now it shows InstallDir and accepts it as it is.
#include <windows.h>
#include "../resources/ids.h"
#include "../setup/manifest.h"
#include "pages.h"

int ValidateInstallDir(HWND)
{
    return 1;
}

INT_PTR CALLBACK FolderPageProc(HWND page, UINT message, WPARAM, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        SetDlgItemTextA(page, IDC_FOLDER, SetupManifest.InstallDir);
        return TRUE;
    }
    return FALSE;
}
