// Small routines the pages use on controls: enable, show, and the two cached fonts.
#include <windows.h>
#include "frame.h"
#include "session.h"

void EnableControl(HWND window, int id, int enable)
{
    EnableWindow(GetDlgItem(window, id), enable);
}

void ShowControl(HWND window, int id, int show)
{
    ShowWindow(GetDlgItem(window, id), show ? SW_SHOW : SW_HIDE);
}

// The window's own font with one change; made once, from the first window that asks.
static HFONT DeriveFont(HWND window, LONG height, LONG weight, const char* face)
{
    LOGFONTA font;
    HFONT windowFont = (HFONT)SendMessageA(window, WM_GETFONT, 0, 0);
    ZeroMemory(&font, sizeof font);
    GetObjectA(windowFont, sizeof font, &font);
    if (height)
        font.lfHeight = height;
    if (weight)
        font.lfWeight = weight;
    if (face)
        lstrcpynA(font.lfFaceName, face, sizeof font.lfFaceName);
    return CreateFontIndirectA(&font);
}

void SetCourierFont(HWND window, int id)
{
    if (!Session.CourierFont)
        Session.CourierFont = DeriveFont(window, -12, 0, "Courier New");
    SendDlgItemMessageA(window, id, WM_SETFONT, (WPARAM)Session.CourierFont, TRUE);
}

void SetBoldFont(HWND window, int id)
{
    if (!Session.BoldFont)
        Session.BoldFont = DeriveFont(window, 0, FW_BOLD, NULL);
    SendDlgItemMessageA(window, id, WM_SETFONT, (WPARAM)Session.BoldFont, TRUE);
}
