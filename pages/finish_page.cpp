// The finish page. For now it shows only its template; Close launches nothing.
#include <windows.h>
#include "pages.h"

void LaunchProgram(HWND)
{
}

INT_PTR CALLBACK FinishPageProc(HWND, UINT message, WPARAM, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    }
    return FALSE;
}
