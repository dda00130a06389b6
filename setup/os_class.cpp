// The OS classification and the variant rules over the file table.
#include "os_class.h"

OsClass ClassifyOs(uint32_t platformId, uint32_t major, uint32_t minor)
{
    if (platformId != PLATFORM_WIN32_NT)
        return OS_WIN9X;                    // also a failed version query: its platform id is 0
    if (major == 5)
        return minor == 1 ? OS_WINXP : OS_NT_OTHER;
    if (major == 6 && minor == 0)
        return OS_WINVISTA;
    return OS_NT_OTHER;
}

uint16_t VariantMask(OsClass os)
{
    return os < OS_WINXP ? FILE_VARIANT_CLASSIC : FILE_VARIANT_XP;
}

bool RowInVariant(const FileEntry& row, uint16_t variantMask)
{
    return (row.Flags & variantMask) != 0;
}

const char* RowTargetFolder(const FileEntry& row)
{
    if (row.Flags & FILE_IN_WINDOWS_DIR)
        return SetupManifest.WindowsDir;
    if (row.Flags & FILE_IN_SYSTEM_DIR)
        return SetupManifest.SystemDir;
    return SetupManifest.InstallDir;
}
