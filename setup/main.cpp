// The entry point: register the frame class, run the pre-flight, run the frame.
#include <windows.h>
#include "../resources/ids.h"
#include "frame.h"
#include "session.h"
#include "startup.h"

BOOL RegisterFrameClass()
{
    WNDCLASSEXA frameClass;
    ZeroMemory(&frameClass, sizeof frameClass);
    frameClass.cbSize = sizeof frameClass;
    // The system dialog class (#32770), with our procedure, icon and name on top.
    if (!GetClassInfoExA(NULL, MAKEINTATOM(0x8002), &frameClass))
        return FALSE;
    frameClass.cbSize = sizeof frameClass;
    frameClass.lpfnWndProc = DefDlgProcA;
    frameClass.cbWndExtra = DLGWINDOWEXTRA;
    frameClass.hInstance = Session.ModuleInstance;
    frameClass.hIcon = LoadIconA(Session.ModuleInstance, MAKEINTRESOURCEA(IDI_PROGRAM));
    frameClass.hIconSm = (HICON)LoadImageA(Session.ModuleInstance, MAKEINTRESOURCEA(IDI_PROGRAM),
                                           IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR);
    frameClass.lpszClassName = "SetupDlg";
    return RegisterClassExA(&frameClass) != 0;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    Session.ModuleInstance = instance;
    RegisterFrameClass();
    RunPreflight();
    DialogBoxParamA(Session.ModuleInstance, MAKEINTRESOURCEA(IDD_FRAME), NULL, FrameDlgProc, 0);
    DeleteCachedGdiObjects();
    return 1;       // whatever happened: installed, cancelled or failed to start
}
