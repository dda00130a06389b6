// The SetupManifest: the built-in description of the product and its files.
// No <windows.h> here, so the host tests and tools/ read the same table.
#ifndef SETUP_MANIFEST_H
#define SETUP_MANIFEST_H

#include <stdint.h>

enum {
    MAX_PATH_TEXT = 260,    // a path: at most 259 characters and the terminator
    FILE_TABLE_ROWS = 9,
};

// Flag bits of a FileEntry
enum {
    FILE_LINK_IN_INSTALL_DIR = 0x0001,  // shortcut target and working folder: InstallDir, else WindowsDir
    FILE_IN_WINDOWS_DIR = 0x0002,
    FILE_IN_SYSTEM_DIR = 0x0004,        // unless FILE_IN_WINDOWS_DIR is set too
    FILE_VARIANT_CLASSIC = 0x0100,
    FILE_VARIANT_XP = 0x0200,
};

// Laid out like SYSTEMTIME, so the Windows code may hand it over as one.
struct StampTime {
    uint16_t Year, Month, DayOfWeek, Day, Hour, Minute, Second, Milliseconds;
};

struct FileEntry {
    char FileName[20];
    uint16_t Flags;
    char ResourceName[20];
    char ShortcutName[20];      // "-..." means no shortcut
    uint32_t FileSize;
    uint32_t PackedSize;        // 0: the resource holds the file's bytes as they are
};

struct SetupManifestRecord {
    char ProductName[20];
    char Version[6];
    char ProgramGroup[40];
    char Publisher[10];
    char HelpLink[40];
    StampTime FileStamp;
    FileEntry Files[FILE_TABLE_ROWS];
    int16_t FileCount;
    uint16_t ShortcutCount;
    char InstallDir[MAX_PATH_TEXT];
    char WindowsDir[MAX_PATH_TEXT];
    char SystemDir[MAX_PATH_TEXT];
};

extern SetupManifestRecord SetupManifest;

#endif
