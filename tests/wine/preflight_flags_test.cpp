// What the pre-flight finds before the frame opens, as the welcome page tells
// it: the administrator probe (NotAdmin) and the files-in-use probe (FilesInUse).
#include <functional>
#include "e2e.h"
#include "resources/ids.h"
#include "wine_state.h"

static const char ProductValue[] = "Lumen Scout";
static const char TestKeyPath[] = "Software\\Ombri\\Programs\\OMBRI-TEST";

// The welcome page with the given instruction (null: none), and Continue
// closed exactly when there is one.
static void ExpectWelcomeInstruction(SetupRun& run, const char* instruction)
{
    EXPECT_EQ(instruction != NULL, IsControlShown(FindControl(run, IDC_SPECIAL_LABEL)))
        << "the \"Special Instructions:\" heading";
    EXPECT_EQ(instruction ? instruction : "", ControlText(FindControl(run, IDC_SPECIAL)));
    EXPECT_EQ(instruction == NULL, IsControlEnabled(FindControl(run, IDC_CONTINUE)))
        << "Continue is closed exactly when there is an instruction";
}

static void CancelAndExpectExitCode1(SetupRun& run)
{
    ASSERT_TRUE(Click(run, IDC_CANCEL));
    DWORD exitCode = 0;
    ASSERT_TRUE(WaitForExit(run, &exitCode));
    EXPECT_EQ(1u, exitCode);
    EndSetup(run);
}

TEST(NotAdmin, AUserWhoCannotMakeTheTestKeyGetsTheAdministratorInstruction)
{
    StartFromCleanState();
    ASSERT_TRUE(MakePublisherRootVolatile());
    SetupRun run;
    ASSERT_TRUE(StartWizard(run));
    ExpectWelcomeInstruction(run, NotAdminText);
    EXPECT_FALSE(KeyExists(PublisherKeyPath)) << "nothing is created";
    SaveFrameScreen(run, "1-welcome-not-admin");
    CancelAndExpectExitCode1(run);
}

TEST(NotAdmin, AnAdministratorsStartLeavesThePublisherKeyAndNoTestKey)
{
    const struct {
        const char* name;
        std::function<bool()> arrange;
    } cases[] = {
        {"no publisher key before", [] { return true; }},
        {"a test key left from before", [] { return CreateKey(TestKeyPath); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        StartFromCleanState();
        ASSERT_TRUE(c.arrange());
        SetupRun run;
        ASSERT_TRUE(StartWizard(run));
        ExpectWelcomeInstruction(run, NULL);
        EXPECT_TRUE(KeyExists(PublisherKeyPath));
        EXPECT_FALSE(KeyExists(TestKeyPath));
        CancelAndExpectExitCode1(run);
        EXPECT_TRUE(KeyExists(PublisherKeyPath)) << "the publisher key stays after Cancel";
    }
}

// Both variants of the main program and of the uninstall tool share their
// names and folders, so on every Windows version a held copy of either must
// be found; a wrong choice of rows would leave one of them unprobed.
TEST(FilesInUse, AProductFileHeldOpenByAnotherProgramGetsTheFilesInUseInstruction)
{
    const std::string storedFolder = JoinFolder(TestArea(), "Earlier Lumen Scout");
    const struct {
        const char* name;
        std::function<bool()> arrange;
        const char* instruction;
    } cases[] = {
        {"the main program held in the default folder",
         [] { return PutFile(DefaultInstallDir, "Lumen Scout.exe", Held); }, FilesInUseText},
        {"the uninstall tool held in the Windows folder",
         [] { return PutFile(WindowsFolder(), "LSTCleanup.exe", Held); }, FilesInUseText},
        {"the help file, of both variants, held",
         [] { return PutFile(DefaultInstallDir, "Lumen Scout.chm", Held); }, FilesInUseText},
        {"the last file of the table held",
         [] { return PutFile(DefaultInstallDir, "Account.txt", Held); }, FilesInUseText},
        {"the main program held in the folder an earlier installation stored",
         [&] {
             return StoreText(PublisherKeyPath, ProductValue, storedFolder) &&
                    PutFile(storedFolder, "Lumen Scout.exe", Held);
         },
         FilesInUseText},
        {"the main program held in the default folder while another one is stored",
         [&] {
             return StoreText(PublisherKeyPath, ProductValue, storedFolder) &&
                    PutFile(DefaultInstallDir, "Lumen Scout.exe", Held);
         },
         NULL},
        {"the uninstall tool held in the System folder, where it does not go",
         [] { return PutFile(SystemFolder(), "LSTCleanup.exe", Held); }, NULL},
        {"a file the product does not have held in the install folder",
         [] { return PutFile(DefaultInstallDir, "Lumen Scout.ini", Held); }, NULL},
        {"the main program read-only",
         [] { return PutFile(DefaultInstallDir, "Lumen Scout.exe", ReadOnly); }, NULL},
        {"the main program installed and not running",
         [] { return PutFile(DefaultInstallDir, "Lumen Scout.exe", Present); }, NULL},
        {"no install folder", [] { return true; }, NULL},
        {"a held main program and a user who cannot make the test key",
         [] {
             return MakePublisherRootVolatile() &&
                    PutFile(DefaultInstallDir, "Lumen Scout.exe", Held);
         },
         FilesInUseText},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        StartFromCleanState();
        ASSERT_TRUE(c.arrange());
        SetupRun run;
        ASSERT_TRUE(StartWizard(run));
        ExpectWelcomeInstruction(run, c.instruction);
        if (c.instruction && strstr(c.name, "cannot"))
            SaveFrameScreen(run, "1-welcome-files-in-use");
        CancelAndExpectExitCode1(run);
        ReleaseHeldFiles();
    }
}
