// The frame dialog and the WizardState machine that steps through the pages.
#include <windows.h>
#include "../pages/pages.h"
#include "../resources/ids.h"
#include "frame.h"
#include "session.h"

static void ShowPage(HWND frame, int templateId, DLGPROC pageProc, short newState)
{
    HWND page = CreateDialogParamA(Session.ModuleInstance, MAKEINTRESOURCEA(templateId),
                                   frame, pageProc, 0);
    Session.WizardState = newState;
    Session.PageWindow = page;
}

// The page covers the hidden placeholder, which keeps its place in the frame.
static void LayPageOverPlaceholder(HWND frame)
{
    RECT place;
    GetWindowRect(GetDlgItem(frame, IDC_PLACEHOLDER), &place);
    MapWindowPoints(NULL, frame, (POINT*)&place, 2);
    SetWindowPos(Session.PageWindow, NULL, place.left, place.top,
                 place.right - place.left, place.bottom - place.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void AdvanceWizard(HWND frame)
{
    switch (Session.WizardState) {
    case 0:
        ShowPage(frame, IDD_WELCOME, WelcomePageProc, 1);
        break;
    case 1:
        DestroyWindow(Session.PageWindow);
        EnableControl(frame, IDC_CONTINUE, 0);
        ShowPage(frame, IDD_LICENSE, LicensePageProc, 2);
        break;
    case 2:
        if (!IsLicenseAccepted(Session.PageWindow))
            break;
        DestroyWindow(Session.PageWindow);
        ShowPage(frame, IDD_FOLDER, FolderPageProc, 3);
        break;
    case 3:
        if (!ValidateInstallDir(Session.PageWindow))
            break;
        DestroyWindow(Session.PageWindow);
        ShowControl(frame, IDC_CONTINUE, 0);
        ShowPage(frame, IDD_PROGRESS, ProgressPageProc, 4);
        break;
    case 4:
        DestroyWindow(Session.PageWindow);
        SetDlgItemTextA(frame, IDC_CANCEL, "Close");
        ShowPage(frame, IDD_FINISH, FinishPageProc, 5);
        break;
    default:
        break;
    }
    LayPageOverPlaceholder(frame);
}

void CloseWizard(HWND frame)
{
    if (Session.RunOnExit)
        LaunchProgram(frame);
    DestroyWindow(Session.PageWindow);
    EndDialog(frame, 1);
}

void CenterOnScreen(HWND window)
{
    RECT rect;
    GetWindowRect(window, &rect);
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    MoveWindow(window, x, y, width, height, FALSE);
}

static void StartFrame(HWND frame)
{
    Session.FrameWindow = frame;    // first: the welcome page disables Continue through it
    CenterOnScreen(frame);
    AdvanceWizard(frame);
}

// Enter, Esc, Alt+F4 and the close box arrive as IDOK and IDCANCEL: not ours.
static INT_PTR RunFrameCommand(HWND frame, WPARAM wParam)
{
    switch (LOWORD(wParam)) {
    case IDC_CONTINUE:
        if (HIWORD(wParam) == BN_CLICKED)
            AdvanceWizard(frame);
        return 0;
    case IDC_CANCEL:
        if (HIWORD(wParam) == BN_CLICKED)
            CloseWizard(frame);
        return 0;
    }
    return 1;
}

INT_PTR CALLBACK FrameDlgProc(HWND frame, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        StartFrame(frame);
        return TRUE;
    case WM_COMMAND:
        return RunFrameCommand(frame, wParam);
    }
    return FALSE;
}
