// GetOsClass as setup.exe calls it, under the Windows version Wine reports.
#include <gtest/gtest.h>
#include <windows.h>
#include "setup/os_class.h"
#include "unit.h"

TEST(GetOsClass, ClassifiesTheVersionThatWineReports)
{
    const struct {
        const char* version;
        DWORD platform, major, minor;
        OsClass os;
        uint16_t variant;
    } versions[] = {
        {"win98", VER_PLATFORM_WIN32_WINDOWS, 4, 10, OS_WIN9X, FILE_VARIANT_CLASSIC},
        {"win2k", VER_PLATFORM_WIN32_NT, 5, 0, OS_NT_OTHER, FILE_VARIANT_CLASSIC},
        {"winxp", VER_PLATFORM_WIN32_NT, 5, 1, OS_WINXP, FILE_VARIANT_XP},
        {"win2003", VER_PLATFORM_WIN32_NT, 5, 2, OS_NT_OTHER, FILE_VARIANT_CLASSIC},
        {"vista", VER_PLATFORM_WIN32_NT, 6, 0, OS_WINVISTA, FILE_VARIANT_XP},
        {"win7", VER_PLATFORM_WIN32_NT, 6, 1, OS_NT_OTHER, FILE_VARIANT_CLASSIC},
    };
    bool known = false;
    for (const auto& v : versions) {
        if (strcmp(v.version, TestedVersion()) != 0)
            continue;
        known = true;
        OSVERSIONINFOA reported;
        ZeroMemory(&reported, sizeof reported);
        reported.dwOSVersionInfoSize = sizeof reported;
        ASSERT_TRUE(GetVersionExA(&reported));
        ASSERT_EQ(v.platform, reported.dwPlatformId) << "Wine is not running us as " << v.version;
        ASSERT_EQ(v.major, reported.dwMajorVersion);
        ASSERT_EQ(v.minor, reported.dwMinorVersion);
        EXPECT_EQ(v.os, GetOsClass()) << v.version;
        EXPECT_EQ(v.variant, VariantMask(GetOsClass())) << v.version;
    }
    EXPECT_TRUE(known) << "no version numbers known for " << TestedVersion();
}
