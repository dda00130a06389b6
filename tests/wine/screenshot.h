// Pictures of what is on the screen: a window's rectangle captured with GDI,
// saved as PNG, and searched for an icon the program carries.
#ifndef WINE_TESTS_SCREENSHOT_H
#define WINE_TESTS_SCREENSHOT_H

#include <windows.h>
#include <stdint.h>
#include <string>
#include <vector>

struct Picture {
    int Width = 0, Height = 0;
    std::vector<uint32_t> Pixels;      // 0x00RRGGBB, rows from the top
    std::vector<bool> Opaque;          // icons only: which pixels the icon covers
};

// The screen under the window's rectangle, as the user sees it.
bool CaptureWindow(HWND window, Picture* picture);
// The same once the picture has stopped changing: the program has finished
// painting and Wine has put the paint on the screen.
bool CaptureSettled(HWND window, Picture* picture);
// An icon resource of a program file, at size × size pixels.
bool LoadIconPicture(const std::string& programPath, int iconId, int size, Picture* icon);
// Whether the icon's covered pixels appear exactly somewhere in the given part of the picture.
bool ContainsIcon(const Picture& picture, const RECT& area, const Picture& icon);
bool SavePicture(const Picture& picture, const std::string& path);

// Saves a settled capture of the window as <folder>\<name>.png, the folder
// named by WINE_TEST_SCREENS; does nothing when that is not set.
void SaveScreen(HWND window, const std::string& name);

#endif
