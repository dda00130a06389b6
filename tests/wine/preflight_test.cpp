// The pre-flight routines of setup.exe against Wine's own registry and files:
// the earlier install folder, the administrator probe, the files-in-use probe.
#include <gtest/gtest.h>
#include <windows.h>
#include <functional>
#include <string.h>
#include "setup/manifest.h"
#include "setup/os_class.h"
#include "setup/session.h"
#include "setup/startup.h"
#include "unit.h"
#include "wine_state.h"

static const char ProductValue[] = "Lumen Scout";
static const char TestKeyPath[] = "Software\\Ombri\\Programs\\OMBRI-TEST";

static std::string Characters(size_t count, char c = 'x')
{
    return "C:\\" + std::string(count - 3, c);
}

TEST(ReadPreviousInstallDir, ReadsTheStoredFolderExactlyAndNeverPastItsBuffer)
{
    const std::string longest = Characters(259);
    const std::string unterminated(260, 'U');
    const std::string tooLong = Characters(300);
    const char binary[] = "C:\\Binary";
    const char nulInside[] = "C:\\First\0C:\\Second";
    const struct {
        const char* name;
        std::function<bool()> arrange;
        bool read;
        std::string text;
    } cases[] = {
        {"no publisher key", [] { return true; }, false, ""},
        {"the key without the value", [] { return CreateKey(PublisherKeyPath); }, false, ""},
        {"a stored folder",
         [] { return StoreText(PublisherKeyPath, ProductValue, "D:\\Tools\\Scout"); }, true,
         "D:\\Tools\\Scout"},
        {"an empty stored value", [] { return StoreText(PublisherKeyPath, ProductValue, ""); },
         true, ""},
        {"259 characters and the terminator",
         [&] { return StoreText(PublisherKeyPath, ProductValue, longest); }, true, longest},
        {"259 bytes without a terminator, not typed as text",
         [&] {
             return StoreValue(PublisherKeyPath, ProductValue, REG_BINARY, longest.data(), 259);
         },
         true, longest},
        {"260 bytes of text without a terminator",
         [&] {
             return StoreValue(PublisherKeyPath, ProductValue, REG_SZ, unterminated.data(), 260);
         },
         false, ""},
        {"260 bytes without a terminator, not typed as text",
         [&] {
             return StoreValue(PublisherKeyPath, ProductValue, REG_BINARY, unterminated.data(), 260);
         },
         false, ""},
        {"300 characters", [&] { return StoreText(PublisherKeyPath, ProductValue, tooLong); },
         false, ""},
        {"a folder stored as binary bytes: the type is not looked at",
         [&] {
             return StoreValue(PublisherKeyPath, ProductValue, REG_BINARY, binary, sizeof binary);
         },
         true, "C:\\Binary"},
        {"an expandable text is taken as it is",
         [] {
             return StoreValue(PublisherKeyPath, ProductValue, REG_EXPAND_SZ, "%TEMP%\\Scout", 13);
         },
         true, "%TEMP%\\Scout"},
        {"a terminator inside the value ends the text",
         [&] {
             return StoreValue(PublisherKeyPath, ProductValue, REG_BINARY, nulInside,
                               sizeof nulInside);
         },
         true, "C:\\First"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ResetPreflightState();
        ASSERT_TRUE(c.arrange());
        char buffer[400];
        memset(buffer, 'Z', sizeof buffer);
        EXPECT_EQ(c.read, ReadPreviousInstallDir(buffer, 260) != 0);
        ASSERT_NE(nullptr, memchr(buffer, '\0', 260)) << "the text is not terminated";
        EXPECT_EQ(c.text, std::string(buffer));
        EXPECT_EQ(std::string(sizeof buffer - 260, 'Z'), std::string(buffer + 260, sizeof buffer - 260))
            << "written past the 260 bytes it was given";
    }
}

TEST(ProbeAdminRights, AnAdministratorKeepsThePublisherKeyAndNoTestKeyIsLeft)
{
    const struct {
        const char* name;
        std::function<bool()> arrange;
    } cases[] = {
        {"no publisher key before", [] { return true; }},
        {"a test key left from before", [] { return CreateKey(TestKeyPath); }},
        {"an earlier installation's key",
         [] { return StoreText(PublisherKeyPath, ProductValue, "D:\\Tools\\Scout"); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ResetPreflightState();
        ASSERT_TRUE(c.arrange());
        ProbeAdminRights();
        EXPECT_EQ(0, Session.NotAdmin);
        EXPECT_TRUE(KeyExists(PublisherKeyPath));
        EXPECT_FALSE(KeyExists(TestKeyPath));
    }
    char stored[MAX_PATH_TEXT];
    EXPECT_TRUE(ReadPreviousInstallDir(stored, sizeof stored)) << "the probe kept the stored folder";
    EXPECT_STREQ("D:\\Tools\\Scout", stored);
}

TEST(ProbeAdminRights, AUserWhoCannotCreateTheTestKeyIsNotAdmin)
{
    ResetPreflightState();
    ASSERT_TRUE(MakePublisherRootVolatile());
    ProbeAdminRights();
    EXPECT_EQ(1, Session.NotAdmin);
    EXPECT_FALSE(KeyExists(PublisherKeyPath)) << "nothing is created";
    EXPECT_FALSE(KeyExists(TestKeyPath));
}

// A named pipe standing where a file would be: whether anybody opened it
// shows which paths the probe tried.
struct PathWatch {
    HANDLE Pipe;
    OVERLAPPED Connect;
};

static bool Watch(const std::string& path, PathWatch* watch)
{
    watch->Pipe = CreateNamedPipeA(path.c_str(), PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED,
                                   PIPE_TYPE_BYTE, 1, 512, 512, 0, NULL);
    if (watch->Pipe == INVALID_HANDLE_VALUE)
        return false;
    ZeroMemory(&watch->Connect, sizeof watch->Connect);
    watch->Connect.hEvent = CreateEventA(NULL, TRUE, FALSE, NULL);
    if (ConnectNamedPipe(watch->Pipe, &watch->Connect))
        return false;
    return GetLastError() == ERROR_IO_PENDING;
}

static bool WasOpened(const PathWatch& watch)
{
    return WaitForSingleObject(watch.Connect.hEvent, 0) == WAIT_OBJECT_0;
}

static void EndWatch(PathWatch& watch)
{
    CancelIo(watch.Pipe);
    CloseHandle(watch.Pipe);
    CloseHandle(watch.Connect.hEvent);
}

static void SetFolders(const std::string& install, const std::string& windows, const std::string& system)
{
    strcpy(SetupManifest.InstallDir, install.c_str());
    strcpy(SetupManifest.WindowsDir, windows.c_str());
    strcpy(SetupManifest.SystemDir, system.c_str());
}

// From the version's name, not from the code under test: XP and Vista take
// the XP-class rows, everything else the classic ones.
static bool ClassicSystem()
{
    return strcmp(TestedVersion(), "winxp") != 0 && strcmp(TestedVersion(), "vista") != 0;
}

TEST(ProbeFilesInUse, AProductFileHeldOpenIsInUseAndNothingElseIs)
{
    const std::string install = JoinFolder(TestArea(), "Lumen Scout");
    const std::string windows = JoinFolder(TestArea(), "Windows");
    const std::string system = JoinFolder(windows, "System32");
    const struct {
        const char* name;
        std::function<bool()> arrange;
        int inUse;
    } cases[] = {
        {"the main program held", [&] { return PutFile(install, "Lumen Scout.exe", Held); }, 1},
        {"the uninstall tool held in the Windows folder",
         [&] { return PutFile(windows, "LSTCleanup.exe", Held); }, 1},
        {"the uninstall tool held in the System folder, where it does not go",
         [&] { return PutFile(system, "LSTCleanup.exe", Held); }, 0},
        {"a file of both variants held", [&] { return PutFile(install, "Refresh.exe", Held); }, 1},
        {"the last row's file held", [&] { return PutFile(install, "Account.txt", Held); }, 1},
        {"a file the product does not have held",
         [&] { return PutFile(install, "Lumen Scout.ini", Held); }, 0},
        {"the main program read-only",
         [&] { return PutFile(install, "Lumen Scout.exe", ReadOnly); }, 0},
        {"the main program there and not running",
         [&] { return PutFile(install, "Lumen Scout.exe", Present); }, 0},
        {"no install folder", [] { return true; }, 0},
        {"the main program held and a file count of 0",
         [&] {
             SetupManifest.FileCount = 0;
             return PutFile(install, "Lumen Scout.exe", Held);
         },
         0},
        {"the main program held and a negative file count",
         [&] {
             SetupManifest.FileCount = -1;
             return PutFile(install, "Lumen Scout.exe", Held);
         },
         0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ResetPreflightState();
        SetFolders(install, windows, system);
        ASSERT_TRUE(c.arrange());
        ProbeFilesInUse();
        EXPECT_EQ(c.inUse, Session.FilesInUse);
        std::string text;
        bool untouchedFile = ReadTextFile(JoinFolder(install, "Lumen Scout.exe"), &text) &&
                             text != "a program that is running";
        if (untouchedFile) {
            EXPECT_EQ("an installed file", text) << "the probe changed a file";
        }
    }
}

// The uninstall tool comes first in the table; the main program, in a later
// row, is a watched path that must stay unopened.
TEST(ProbeFilesInUse, StopsAtTheFirstLockedFile)
{
    ResetPreflightState();
    const std::string windows = JoinFolder(TestArea(), "Windows");
    SetFolders("\\\\.\\pipe\\lumen-install", windows, JoinFolder(windows, "System32"));
    ASSERT_TRUE(PutFile(windows, "LSTCleanup.exe", Held));
    PathWatch laterRow;
    ASSERT_TRUE(Watch("\\\\.\\pipe\\lumen-install\\Lumen Scout.exe", &laterRow));
    ProbeFilesInUse();
    EXPECT_EQ(1, Session.FilesInUse);
    EXPECT_FALSE(WasOpened(laterRow)) << "a row after the locked file was still opened";

    // Without the lock the probe goes on to the watched row: the watch works.
    ReleaseHeldFiles();
    Session.FilesInUse = 0;
    ProbeFilesInUse();
    EXPECT_EQ(0, Session.FilesInUse);
    EXPECT_TRUE(WasOpened(laterRow)) << "the probe never reached the main program";
    EndWatch(laterRow);
}

// Each row is probed in its own folder and only on the systems of its variant.
TEST(ProbeFilesInUse, ProbesEachRowOfTheRunningVariantInItsTargetFolder)
{
    ResetPreflightState();
    const char* folders[] = {"\\\\.\\pipe\\lumen-install", "\\\\.\\pipe\\lumen-windows",
                             "\\\\.\\pipe\\lumen-system"};
    SetFolders(folders[0], folders[1], folders[2]);
    const struct {
        const char* name;
        uint16_t flags;
        bool probedOnClassic, probedOnXp;
        int folder;                 // 0 InstallDir, 1 WindowsDir, 2 SystemDir
    } rows[] = {
        {"Cleanup 98.exe", 0x0102, true, false, 1},
        {"Cleanup XP.exe", 0x0202, false, true, 1},
        {"Program 98.exe", 0x0101, true, false, 0},
        {"Program XP.exe", 0x0201, false, true, 0},
        {"System Both.dll", 0x0304, true, true, 2},
        {"Windows First.dll", 0x0306, true, true, 1},     // 0x0002 wins over 0x0004
        {"No Variant.txt", 0x0001, false, false, 0},
        {"Both.txt", 0x0301, true, true, 0},
        {"Classic Only.txt", 0x0100, true, false, 0},
    };
    ASSERT_EQ(FILE_TABLE_ROWS, (int)(sizeof rows / sizeof rows[0]));
    PathWatch watches[FILE_TABLE_ROWS][3];
    for (int row = 0; row < FILE_TABLE_ROWS; row++) {
        strcpy(SetupManifest.Files[row].FileName, rows[row].name);
        SetupManifest.Files[row].Flags = rows[row].flags;
        for (int folder = 0; folder < 3; folder++)
            ASSERT_TRUE(Watch(JoinFolder(folders[folder], rows[row].name), &watches[row][folder]));
    }
    ProbeFilesInUse();
    EXPECT_EQ(0, Session.FilesInUse);
    bool classic = ClassicSystem();
    for (int row = 0; row < FILE_TABLE_ROWS; row++) {
        bool probed = classic ? rows[row].probedOnClassic : rows[row].probedOnXp;
        for (int folder = 0; folder < 3; folder++)
            EXPECT_EQ(probed && folder == rows[row].folder, WasOpened(watches[row][folder]))
                << rows[row].name << " in " << folders[folder] << " on a "
                << (classic ? "classic" : "XP-class") << " system";
        for (int folder = 0; folder < 3; folder++)
            EndWatch(watches[row][folder]);
    }
}

// A 259-character InstallDir makes paths that do not fit the probe's buffer.
// Built with the stack protector, a write past it ends this program.
TEST(ProbeFilesInUse, SkipsPathsTooLongForItsBufferAndGoesOn)
{
    ResetPreflightState();
    const std::string windows = JoinFolder(TestArea(), "Windows");
    SetFolders(Characters(259), windows, windows);
    // The last row goes to the Windows folder: it comes after all the long paths.
    strcpy(SetupManifest.Files[8].FileName, "Last Row.txt");
    SetupManifest.Files[8].Flags = 0x0302;
    ProbeFilesInUse();
    EXPECT_EQ(0, Session.FilesInUse);
    ASSERT_TRUE(PutFile(windows, "Last Row.txt", Held));
    ProbeFilesInUse();
    EXPECT_EQ(1, Session.FilesInUse) << "the rows after the long paths were not probed";
}

TEST(ProbeFilesInUse, AFileInTheLongestFolderThatFitsIsFound)
{
    ResetPreflightState();
    // Folder, backslash, "Lumen Scout.exe" and two terminators: 260 bytes.
    std::string install = JoinFolder(TestArea(), "");
    install += std::string(242 - install.size(), 'L');
    SetFolders(install, JoinFolder(TestArea(), "Windows"), JoinFolder(TestArea(), "System"));
    ASSERT_TRUE(PutFile(install, "Lumen Scout.exe", Held)) << install;
    ProbeFilesInUse();
    EXPECT_EQ(1, Session.FilesInUse);
}

TEST(RunPreflight, FillsTheFoldersTitleCasedAndFindsNothingOnACleanSystem)
{
    ResetPreflightState();
    ASSERT_EQ("C:\\windows", WindowsFolder()) << "the texts below are for Wine's folder names";
    ASSERT_EQ("C:\\windows\\system32", SystemFolder());
    RunPreflight();
    EXPECT_STREQ("C:\\Program Files\\Ombri\\Lumen Scout", SetupManifest.InstallDir);
    EXPECT_STREQ("C:\\Windows", SetupManifest.WindowsDir);
    EXPECT_STREQ("C:\\Windows\\System32", SetupManifest.SystemDir);
    EXPECT_EQ(0, Session.NotAdmin);
    EXPECT_EQ(0, Session.FilesInUse);
    EXPECT_TRUE(KeyExists(PublisherKeyPath)) << "the administrator probe ran";
}

TEST(RunPreflight, TakesTheStoredFolderAsItIs)
{
    const struct { const char* stored; } cases[] = {{"d:\\SOME where\\"}, {""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        ResetPreflightState();
        ASSERT_TRUE(StoreText(PublisherKeyPath, ProductValue, c.stored));
        RunPreflight();
        EXPECT_STREQ(c.stored, SetupManifest.InstallDir);
    }
}

TEST(RunPreflight, ProbesTheStoredFolderAndSetsBothFlags)
{
    ResetPreflightState();
    const std::string stored = JoinFolder(TestArea(), "Earlier");
    // A volatile publisher key still holds a value; only the non-volatile test key fails.
    ASSERT_TRUE(MakePublisherRootVolatile());
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, PublisherKeyPath, 0, NULL,
                                             REG_OPTION_VOLATILE, KEY_ALL_ACCESS, NULL, &key, NULL));
    RegCloseKey(key);
    ASSERT_TRUE(StoreText(PublisherKeyPath, ProductValue, stored));
    ASSERT_TRUE(PutFile(stored, "Lumen Scout.exe", Held));
    RunPreflight();
    EXPECT_EQ(stored, SetupManifest.InstallDir);
    EXPECT_EQ(1, Session.NotAdmin);
    EXPECT_EQ(1, Session.FilesInUse);
}
