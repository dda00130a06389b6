// Lumen Scout's main program: a window that tells where it runs from, in
// which working folder, and which variant it is (classic or XP).
#include <windows.h>
#include <commctrl.h>
#include "lumen_scout_ids.h"

#ifdef LUMEN_SCOUT_XP
static const char VariantName[] = "XP";
#else
static const char VariantName[] = "classic";
#endif

enum { LABEL_WIDTH = 110, ROW_HEIGHT = 20, MARGIN = 12 };

// One row: a label on the left, the value static (read by tests) on the right.
static void AddRow(HWND window, int row, const char* label, int valueId, const char* value)
{
    HINSTANCE instance = (HINSTANCE)GetWindowLongPtrA(window, GWLP_HINSTANCE);
    HFONT font = (HFONT)GetStockObject(DEFAULT_GUI_FONT);
    int y = MARGIN + row * ROW_HEIGHT;
    HWND labelWindow = CreateWindowExA(0, "STATIC", label, WS_CHILD | WS_VISIBLE | SS_LEFT,
                                       MARGIN, y, LABEL_WIDTH, ROW_HEIGHT - 4,
                                       window, NULL, instance, NULL);
    HWND valueWindow = CreateWindowExA(0, "STATIC", value,
                                       WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX | SS_PATHELLIPSIS,
                                       MARGIN + LABEL_WIDTH, y, 400, ROW_HEIGHT - 4,
                                       window, (HMENU)(INT_PTR)valueId, instance, NULL);
    SendMessageA(labelWindow, WM_SETFONT, (WPARAM)font, FALSE);
    SendMessageA(valueWindow, WM_SETFONT, (WPARAM)font, FALSE);
}

static void ShowWhereItRuns(HWND window)
{
    char text[MAX_PATH];
    text[0] = '\0';
    GetModuleFileNameA(NULL, text, sizeof text);
    AddRow(window, 0, "Program file:", IDC_PROGRAM_PATH, text);
    text[0] = '\0';
    GetCurrentDirectoryA(sizeof text, text);
    AddRow(window, 1, "Working folder:", IDC_WORKING_FOLDER, text);
    AddRow(window, 2, "Variant:", IDC_VARIANT, VariantName);
}

static LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        ShowWhereItRuns(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show)
{
    InitCommonControls();   // loads the version 6 controls that the XP variant's manifest asks for

    WNDCLASSA mainClass;
    ZeroMemory(&mainClass, sizeof mainClass);
    mainClass.lpfnWndProc = MainWindowProc;
    mainClass.hInstance = instance;
    mainClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_LUMEN_SCOUT));
    mainClass.hCursor = LoadCursorA(NULL, IDC_ARROW);
    mainClass.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    mainClass.lpszClassName = "LumenScoutMain";
    if (!RegisterClassA(&mainClass))
        return 1;

    HWND window = CreateWindowExA(0, "LumenScoutMain", "Lumen Scout",
                                  WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 560, 130,
                                  NULL, NULL, instance, NULL);
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
