// The end-to-end tests' entry: which setup.exe and which Windows version,
// and the steps every test shares.
#include <stdlib.h>
#include "e2e.h"
#include "resources/ids.h"
#include "screenshot.h"
#include "wine_state.h"

using testing::AssertionFailure;
using testing::AssertionResult;
using testing::AssertionSuccess;

const char FilesInUseText[] =
    "Setup has detected that one or more files it needs to replace are currently loaded in memory. "
    "It is strongly recommended that you quit all running programs and restart your computer before "
    "you continue.";
const char NotAdminText[] =
    "Setup has detected that it cannot continue in the current user mode. Please exit and run setup "
    "again in the Administrative mode. For more information, please consult your Windows help "
    "documentation.";
const char DefaultInstallDir[] = "C:\\Program Files\\Ombri\\Lumen Scout";

static std::string SetupExe;
static std::string Version;

const std::string& SetupExePath() { return SetupExe; }
const char* TestedVersion() { return Version.c_str(); }

void StartFromCleanState()
{
    EndAllSetups();
    ClearProductState();
}

AssertionResult StartWizard(SetupRun& run)
{
    AssertionResult started = StartSetup(run, SetupExe, Version.c_str());
    if (!started)
        return started;
    return WaitForPage(run, IDC_WELCOME_FRAME);
}

int PageMark(WizardPage page)
{
    static const int marks[] = {0, IDC_WELCOME_FRAME, IDC_LICENSE_TEXT, IDC_FOLDER,
                                IDC_CURRENT_FILE, IDC_SUCCESS};
    return marks[page];
}

const char* PageName(WizardPage page)
{
    static const char* names[] = {"", "welcome", "licence", "folder", "progress", "finish"};
    return names[page];
}

int CurrentWizardPage(const SetupRun& run)
{
    HWND page = CurrentPage(run);
    for (int shown = WelcomePage; shown <= FinishPage; shown++)
        if (page && GetDlgItem(page, PageMark((WizardPage)shown)))
            return shown;
    return 0;
}

AssertionResult WalkTo(SetupRun& run, WizardPage page)
{
    int from = CurrentWizardPage(run);
    if (from == 0 || from > page)
        return AssertionFailure() << "cannot walk to the " << PageName(page) << " page from page "
                                  << from;
    for (int next = from + 1; next <= page; next++) {
        AssertionResult step = AssertionSuccess();
        if (next == FolderPage && !IsControlChecked(FindControl(run, IDC_ACCEPT)))
            step = Click(run, IDC_ACCEPT);
        // The progress page moves on by itself, and may be gone before it is looked for.
        if (step && next != FinishPage)
            step = Click(run, IDC_CONTINUE);
        if (next == ProgressPage && page == FinishPage)
            continue;
        if (step)
            step = WaitForPage(run, PageMark((WizardPage)next));
        if (!step)
            return AssertionFailure() << "on the way to the " << PageName((WizardPage)next)
                                      << " page: " << step.message();
    }
    return AssertionSuccess();
}

void SaveFrameScreen(SetupRun& run, const std::string& name)
{
    ShowFrameActive(run);
    Settle(run);
    SaveScreen(run.Frame, name);
}

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    const char* setup = getenv("WINE_TEST_SETUP_EXE");
    const char* version = getenv("WINE_TEST_VERSION");
    if (!setup || !version) {
        fprintf(stderr, "WINE_TEST_SETUP_EXE and WINE_TEST_VERSION name the setup.exe to test "
                        "and the Windows version to run it under\n");
        return 2;
    }
    SetupExe = WindowsPathOf(setup);
    Version = version;
    int result = RUN_ALL_TESTS();
    StartFromCleanState();
    return result;
}
