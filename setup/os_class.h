// OsClass: which kind of Windows is running, and which file rows it installs.
// The classification is a pure function of the version numbers; GetOsClass
// (os_version.cpp) asks Windows for them.
#ifndef SETUP_OS_CLASS_H
#define SETUP_OS_CLASS_H

#include <stdint.h>
#include "manifest.h"

typedef uint8_t OsClass;
enum { OS_WIN9X = 0, OS_NT_OTHER = 1, OS_WINXP = 2, OS_WINVISTA = 3 };

enum { PLATFORM_WIN32_NT = 2 };     // VER_PLATFORM_WIN32_NT

OsClass ClassifyOs(uint32_t platformId, uint32_t major, uint32_t minor);
OsClass GetOsClass();

uint16_t VariantMask(OsClass os);
bool RowInVariant(const FileEntry& row, uint16_t variantMask);

// WindowsDir for FILE_IN_WINDOWS_DIR, else SystemDir for FILE_IN_SYSTEM_DIR, else InstallDir.
const char* RowTargetFolder(const FileEntry& row);

#endif
