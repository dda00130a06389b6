// The pre-flight: working folders, the administrator probe, the files-in-use probe.
#include <windows.h>
#include "manifest.h"
#include "os_class.h"
#include "path_text.h"
#include "session.h"
#include "startup.h"

static const char PublisherKey[] = "Software\\Ombri\\Programs";
static const char TestKeyName[] = "OMBRI-TEST";
static const char DefaultInstallRoot[] = "C:\\Program Files\\Ombri\\";

BOOL ReadPreviousInstallDir(char* buffer, DWORD size)
{
    buffer[0] = '\0';
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, PublisherKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return FALSE;
    // Read into a scratch buffer: the value's bytes need not end with a NUL.
    char stored[MAX_PATH_TEXT];
    DWORD storedSize = size < sizeof stored ? size : sizeof stored;
    LONG result = RegQueryValueExA(key, SetupManifest.ProductName, NULL, NULL,
                                   (BYTE*)stored, &storedSize);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS)
        return FALSE;
    // A value that fills the whole buffer without a NUL is no folder that fits:
    // treat it like a missing one rather than install into a cut-off path.
    if (!StoredTextFits(stored, storedSize, size))
        return FALSE;
    CopyBoundedText(buffer, size, stored, storedSize);
    return TRUE;
}

void ProbeAdminRights()
{
    char testKey[256];
    wsprintfA(testKey, "%s\\%s", PublisherKey, TestKeyName);
    HKEY key;
    DWORD disposition;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, testKey, 0, (LPSTR)"", 0, KEY_ALL_ACCESS, NULL,
                        &key, &disposition) != ERROR_SUCCESS) {
        Session.NotAdmin = 1;
        return;
    }
    RegCloseKey(key);
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, PublisherKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return;
    RegDeleteKeyA(key, TestKeyName);
    RegCloseKey(key);
}

void ProbeFilesInUse()
{
    uint16_t variant = VariantMask(GetOsClass());
    for (int row = 0; row < SetupManifest.FileCount; row++) {
        const FileEntry& file = SetupManifest.Files[row];
        if (!RowInVariant(file, variant))
            continue;
        char path[MAX_PATH_TEXT];
        if (!JoinPath(path, sizeof path, RowTargetFolder(file), file.FileName))
            continue;           // too long to be a file Windows could have open
        HANDLE handle = CreateFileA(path, GENERIC_WRITE, 0, NULL, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, NULL);
        if (handle != INVALID_HANDLE_VALUE) {
            CloseHandle(handle);
            continue;
        }
        if (GetLastError() == ERROR_SHARING_VIOLATION) {
            Session.FilesInUse = 1;
            return;
        }
    }
}

void RunPreflight()
{
    if (!ReadPreviousInstallDir(SetupManifest.InstallDir, sizeof SetupManifest.InstallDir))
        JoinPath(SetupManifest.InstallDir, sizeof SetupManifest.InstallDir,
                 DefaultInstallRoot, SetupManifest.ProductName);
    GetWindowsDirectoryA(SetupManifest.WindowsDir, sizeof SetupManifest.WindowsDir);
    TitleCaseFolder(SetupManifest.WindowsDir);
    GetSystemDirectoryA(SetupManifest.SystemDir, sizeof SetupManifest.SystemDir);
    TitleCaseFolder(SetupManifest.SystemDir);
    ProbeAdminRights();
    ProbeFilesInUse();
}

static void DeleteCached(HGDIOBJ* object)
{
    if (*object)
        DeleteObject(*object);
    *object = NULL;
}

void DeleteCachedGdiObjects()
{
    DeleteCached((HGDIOBJ*)&Session.BannerBitmap);
    DeleteCached((HGDIOBJ*)&Session.CourierFont);
    DeleteCached((HGDIOBJ*)&Session.BoldFont);
}
