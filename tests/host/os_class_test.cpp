// The OS classification and the variant rules over the file table.
#include <gtest/gtest.h>
#include <string.h>
#include "setup/manifest.h"
#include "setup/os_class.h"

TEST(ClassifyOs, PlatformAndVersionGiveTheClass)
{
    const struct { uint32_t platform, major, minor; OsClass expected; const char* system; } cases[] = {
        {0, 0, 0, OS_WIN9X, "failed version query"},
        {1, 4, 10, OS_WIN9X, "Windows 98"},
        {1, 4, 90, OS_WIN9X, "Windows Me"},
        {2, 4, 0, OS_NT_OTHER, "NT 4.0"},
        {2, 5, 0, OS_NT_OTHER, "Windows 2000"},
        {2, 5, 1, OS_WINXP, "Windows XP"},
        {2, 5, 2, OS_NT_OTHER, "Server 2003"},
        {2, 6, 0, OS_WINVISTA, "Vista"},
        {2, 6, 1, OS_NT_OTHER, "Windows 7"},
        {2, 10, 0, OS_NT_OTHER, "Windows 10"},
        {3, 5, 1, OS_WIN9X, "CE platform with XP's numbers"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, ClassifyOs(c.platform, c.major, c.minor)) << c.system;
}

TEST(VariantMask, ClassicBelowXpXpFromThereOn)
{
    EXPECT_EQ(0x0100, VariantMask(OS_WIN9X));
    EXPECT_EQ(0x0100, VariantMask(OS_NT_OTHER));
    EXPECT_EQ(0x0200, VariantMask(OS_WINXP));
    EXPECT_EQ(0x0200, VariantMask(OS_WINVISTA));
}

static uint32_t InstalledBytes(uint16_t mask, uint32_t* rowsOut)
{
    uint32_t bytes = 0, rows = 0;
    for (int row = 0; row < SetupManifest.FileCount; row++)
        if (RowInVariant(SetupManifest.Files[row], mask)) {
            bytes += SetupManifest.Files[row].FileSize;
            rows |= 1u << row;
        }
    *rowsOut = rows;
    return bytes;
}

TEST(SampleFileTable, EachVariantInstallsItsSevenRows)
{
    uint32_t rows;
    EXPECT_EQ(349208u, InstalledBytes(0x0100, &rows));
    EXPECT_EQ(0x1F5u, rows) << "rows 0, 2, 4, 5, 6, 7, 8";
    EXPECT_EQ(423960u, InstalledBytes(0x0200, &rows));
    EXPECT_EQ(0x1FAu, rows) << "rows 1, 3, 4, 5, 6, 7, 8";
}

TEST(SampleFileTable, ShortcutCountMatchesTheRowsThatNameOne)
{
    int named = 0;
    for (int row = 0; row < SetupManifest.FileCount; row++)
        named += SetupManifest.Files[row].ShortcutName[0] != '-';
    EXPECT_EQ(SetupManifest.ShortcutCount, named);
}

TEST(RowTargetFolder, WindowsDirWinsOverSystemDir)
{
    strcpy(SetupManifest.InstallDir, "C:\\Program Files\\Ombri\\Lumen Scout");
    strcpy(SetupManifest.WindowsDir, "C:\\Windows");
    strcpy(SetupManifest.SystemDir, "C:\\Windows\\System32");
    const struct { uint16_t flags; const char* folder; } cases[] = {
        {0x0301, SetupManifest.InstallDir}, {0x0102, SetupManifest.WindowsDir},
        {0x0104, SetupManifest.SystemDir}, {0x0106, SetupManifest.WindowsDir},
        {0x0001, SetupManifest.InstallDir},
    };
    for (const auto& c : cases) {
        FileEntry row = {};
        row.Flags = c.flags;
        EXPECT_EQ(c.folder, RowTargetFolder(row)) << std::hex << c.flags;
    }
}

TEST(RowInVariant, RowWithoutVariantBitsIsNeverInstalled)
{
    FileEntry row = {};
    row.Flags = 0x0001;
    EXPECT_FALSE(RowInVariant(row, 0x0100));
    EXPECT_FALSE(RowInVariant(row, 0x0200));
    row.Flags = 0x0301;
    EXPECT_TRUE(RowInVariant(row, 0x0100));
    EXPECT_TRUE(RowInVariant(row, 0x0200));
}
