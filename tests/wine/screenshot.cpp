// Pictures of what is on the screen, and icons found in them.
#include "screenshot.h"
#include <stdlib.h>
#include <algorithm>
#include "png_file.h"
#include "wine_state.h"

// Copies a width × height block of a device context into a top-down 32-bit DIB.
static bool CopyFromDc(HDC source, int x, int y, int width, int height, Picture* picture)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = NULL;
    HBITMAP dib = CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    if (!dib)
        return false;
    HDC memory = CreateCompatibleDC(source);
    HGDIOBJ old = SelectObject(memory, dib);
    bool copied = BitBlt(memory, 0, 0, width, height, source, x, y, SRCCOPY) != 0;
    GdiFlush();
    picture->Width = width;
    picture->Height = height;
    picture->Pixels.assign((const uint32_t*)bits, (const uint32_t*)bits + (size_t)width * height);
    for (uint32_t& pixel : picture->Pixels)
        pixel &= 0xFFFFFF;
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(dib);
    return copied;
}

bool CaptureWindow(HWND window, Picture* picture)
{
    RECT rect;
    if (!GetWindowRect(window, &rect))
        return false;
    HDC screen = GetDC(NULL);
    bool copied = CopyFromDc(screen, rect.left, rect.top, rect.right - rect.left,
                             rect.bottom - rect.top, picture);
    ReleaseDC(NULL, screen);
    return copied;
}

bool CaptureSettled(HWND window, Picture* picture)
{
    // Wine puts a window's paint on the screen when the program next waits
    // for messages, a little after the paint itself: poll until two captures
    // a tenth of a second apart agree.
    Picture previous;
    if (!CaptureWindow(window, &previous))
        return false;
    for (int attempt = 0; attempt < 50; attempt++) {
        Sleep(100);
        if (!CaptureWindow(window, picture))
            return false;
        if (picture->Pixels == previous.Pixels)
            return true;
        previous = *picture;
    }
    return true;
}

// Draws the icon on a black and on a white ground: the pixels that come out
// the same on both are the icon's own.
bool LoadIconPicture(const std::string& programPath, int iconId, int size, Picture* icon)
{
    HMODULE module = LoadLibraryExA(programPath.c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    if (!module)
        return false;
    HICON handle = (HICON)LoadImageA(module, MAKEINTRESOURCEA(iconId), IMAGE_ICON, size, size,
                                     LR_DEFAULTCOLOR);
    Picture grounds[2];
    bool drawn = handle != NULL;
    HDC screen = GetDC(NULL);
    for (int i = 0; i < 2 && drawn; i++) {
        HDC memory = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, size, size);
        HGDIOBJ old = SelectObject(memory, bitmap);
        RECT all = {0, 0, size, size};
        FillRect(memory, &all, (HBRUSH)GetStockObject(i == 0 ? BLACK_BRUSH : WHITE_BRUSH));
        drawn = DrawIconEx(memory, 0, 0, handle, size, size, 0, NULL, DI_NORMAL) &&
                CopyFromDc(memory, 0, 0, size, size, &grounds[i]);
        SelectObject(memory, old);
        DeleteObject(bitmap);
        DeleteDC(memory);
    }
    ReleaseDC(NULL, screen);
    if (handle)
        DestroyIcon(handle);
    FreeLibrary(module);
    if (!drawn)
        return false;
    *icon = grounds[0];
    icon->Opaque.resize(icon->Pixels.size());
    for (size_t i = 0; i < icon->Pixels.size(); i++)
        icon->Opaque[i] = grounds[0].Pixels[i] == grounds[1].Pixels[i];
    return true;
}

static bool IconAt(const Picture& picture, int left, int top, const Picture& icon)
{
    for (int y = 0; y < icon.Height; y++)
        for (int x = 0; x < icon.Width; x++) {
            size_t at = (size_t)y * icon.Width + x;
            if (icon.Opaque[at] &&
                picture.Pixels[(size_t)(top + y) * picture.Width + left + x] != icon.Pixels[at])
                return false;
        }
    return true;
}

bool ContainsIcon(const Picture& picture, const RECT& area, const Picture& icon)
{
    if (std::find(icon.Opaque.begin(), icon.Opaque.end(), true) == icon.Opaque.end())
        return false;       // an icon that covers nothing would be found anywhere
    int right = std::min<int>(area.right, picture.Width) - icon.Width;
    int bottom = std::min<int>(area.bottom, picture.Height) - icon.Height;
    for (int top = std::max<int>(area.top, 0); top <= bottom; top++)
        for (int left = std::max<int>(area.left, 0); left <= right; left++)
            if (IconAt(picture, left, top, icon))
                return true;
    return false;
}

bool SavePicture(const Picture& picture, const std::string& path)
{
    return WritePngFile(path, picture.Width, picture.Height, picture.Pixels);
}

void SaveScreen(HWND window, const std::string& name)
{
    const char* folder = getenv("WINE_TEST_SCREENS");
    if (!folder || !*folder)
        return;
    std::string windowsFolder = WindowsPathOf(folder);
    MakeFolderChain(windowsFolder);
    Picture picture;
    if (CaptureSettled(window, &picture))
        SavePicture(picture, JoinFolder(windowsFolder, name + ".png"));
}
