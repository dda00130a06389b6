// Stand-in for one of the product's small tools (the uninstall tool, the
// updater): a window whose class and caption name the tool and its variant.
// TOOL_CLASS and TOOL_CAPTION come from the build, one program per tool.
#include <windows.h>
#include <commctrl.h>

#if !defined(TOOL_CLASS) || !defined(TOOL_CAPTION)
#error "build with TOOL_CLASS and TOOL_CAPTION defined"
#endif

static LRESULT CALLBACK ToolWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: {
        HWND text = CreateWindowExA(0, "STATIC", TOOL_CAPTION, WS_CHILD | WS_VISIBLE | SS_CENTER,
                                    12, 24, 300, 20, window, NULL,
                                    ((CREATESTRUCTA*)lParam)->hInstance, NULL);
        SendMessageA(text, WM_SETFONT, (WPARAM)GetStockObject(DEFAULT_GUI_FONT), FALSE);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show)
{
    InitCommonControls();   // the XP variant's manifest asks for version 6 of the controls

    WNDCLASSA toolClass;
    ZeroMemory(&toolClass, sizeof toolClass);
    toolClass.lpfnWndProc = ToolWindowProc;
    toolClass.hInstance = instance;
    toolClass.hCursor = LoadCursorA(NULL, IDC_ARROW);
    toolClass.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    toolClass.lpszClassName = TOOL_CLASS;
    if (!RegisterClassA(&toolClass))
        return 1;

    HWND window = CreateWindowExA(0, TOOL_CLASS, TOOL_CAPTION, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
                                  CW_USEDEFAULT, CW_USEDEFAULT, 340, 110, NULL, NULL, instance, NULL);
    if (!window)
        return 1;
    ShowWindow(window, show);
    UpdateWindow(window);

    MSG message;
    while (GetMessageA(&message, NULL, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return (int)message.wParam;
}
