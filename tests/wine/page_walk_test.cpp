// The walk through the five pages with Continue, and Cancel on each of them.
#include "e2e.h"
#include "resources/ids.h"
#include "screenshot.h"
#include "wine_state.h"

static bool WelcomePageShowsProgramIcon(SetupRun& run)
{
    Picture icon, screen;
    if (!LoadIconPicture(SetupExePath(), IDI_PROGRAM, 32, &icon))
        return false;
    HWND page = CurrentPage(run);
    RECT all = {0, 0, 10000, 10000};
    return WaitUntil([&] { return CaptureWindow(page, &screen) && ContainsIcon(screen, all, icon); },
                     5000);
}

TEST(PageWalk, ContinueLeadsThroughTheFivePages)
{
    StartFromCleanState();
    SetupRun run;
    ASSERT_TRUE(StartWizard(run));
    HWND continueButton = FindControl(run, IDC_CONTINUE);
    HWND cancelButton = FindControl(run, IDC_CANCEL);

    // Welcome: the pre-flight found nothing, so there is no special instruction.
    EXPECT_FALSE(IsControlShown(FindControl(run, IDC_SPECIAL_LABEL)));
    EXPECT_EQ("", ControlText(FindControl(run, IDC_SPECIAL)));
    EXPECT_TRUE(IsControlEnabled(continueButton));
    EXPECT_EQ("Cancel", ControlText(cancelButton));
    EXPECT_TRUE(WelcomePageShowsProgramIcon(run)) << "icon 100 is not on the welcome page";
    SaveFrameScreen(run, "1-welcome");

    // Licence: Continue stays closed until the box is ticked, and follows it.
    ASSERT_TRUE(Click(run, IDC_CONTINUE));
    ASSERT_TRUE(WaitForPage(run, IDC_LICENSE_TEXT));
    HWND box = FindControl(run, IDC_ACCEPT);
    EXPECT_FALSE(IsControlChecked(box));
    EXPECT_FALSE(IsControlEnabled(continueButton)) << "Continue open before the licence is accepted";
    EXPECT_FALSE(Click(run, IDC_CONTINUE));
    SaveFrameScreen(run, "2-licence");
    ASSERT_TRUE(Click(run, IDC_ACCEPT));
    EXPECT_TRUE(IsControlChecked(box));
    EXPECT_TRUE(IsControlEnabled(continueButton)) << "ticking the box opens Continue";
    ASSERT_TRUE(Click(run, IDC_ACCEPT));
    EXPECT_FALSE(IsControlEnabled(continueButton)) << "clearing the box closes Continue";
    ASSERT_TRUE(Click(run, IDC_ACCEPT));
    SaveFrameScreen(run, "2-licence-accepted");
    ASSERT_TRUE(Click(run, IDC_CONTINUE));

    // Folder: the default folder, as nothing was installed before.
    ASSERT_TRUE(WaitForPage(run, IDC_FOLDER));
    EXPECT_EQ(DefaultInstallDir, ControlText(FindControl(run, IDC_FOLDER)));
    EXPECT_TRUE(IsControlEnabled(continueButton));
    EXPECT_EQ("Cancel", ControlText(cancelButton));
    SaveFrameScreen(run, "3-folder");
    ASSERT_TRUE(Click(run, IDC_CONTINUE));

    // Progress: Continue is gone for good; the page moves on by itself.
    ASSERT_TRUE(WaitForPage(run, IDC_CURRENT_FILE));
    EXPECT_FALSE(IsControlShown(continueButton));

    // Finish: Cancel has become Close, Continue stays hidden.
    ASSERT_TRUE(WaitForPage(run, IDC_SUCCESS));
    EXPECT_FALSE(IsControlShown(continueButton));
    EXPECT_EQ("Close", ControlText(cancelButton));
    SaveFrameScreen(run, "5-finish");
    ASSERT_TRUE(Click(run, IDC_CANCEL));
    DWORD exitCode = 0;
    ASSERT_TRUE(WaitForExit(run, &exitCode));
    EXPECT_EQ(1u, exitCode);
    EndSetup(run);
}

// Pages send the frame Continue themselves (the progress page does); one that
// arrives where the frame may not go on changes nothing.
TEST(PageWalk, ContinueSentByAPageMovesNeitherTheUntickedLicenceNorTheFinishPage)
{
    StartFromCleanState();
    SetupRun run;
    ASSERT_TRUE(StartWizard(run));
    ASSERT_TRUE(WalkTo(run, LicencePage));
    RECT before, after;
    GetWindowRect(CurrentPage(run), &before);
    PostCommand(run, IDC_CONTINUE);
    EXPECT_EQ(LicencePage, CurrentWizardPage(run));
    GetWindowRect(CurrentPage(run), &after);
    EXPECT_TRUE(EqualRect(&before, &after)) << "the licence page moved";

    ASSERT_TRUE(WalkTo(run, FinishPage));
    PostCommand(run, IDC_CONTINUE);
    EXPECT_TRUE(IsRunning(run));
    EXPECT_EQ(FinishPage, CurrentWizardPage(run));
    EXPECT_EQ("Close", ControlText(FindControl(run, IDC_CANCEL)));
    ASSERT_TRUE(Click(run, IDC_CANCEL));
    EndSetup(run);
}

TEST(PageWalk, CancelEndsTheWizardAtOnceOnEveryPage)
{
    for (WizardPage page : {WelcomePage, LicencePage, FolderPage, ProgressPage, FinishPage}) {
        SCOPED_TRACE(std::string("Cancel on the ") + PageName(page) + " page");
        StartFromCleanState();
        SetupRun run;
        ASSERT_TRUE(StartWizard(run));
        ASSERT_TRUE(WalkTo(run, page));
        if (page != ProgressPage) {     // it may have moved on already
            EXPECT_EQ(page == FinishPage ? "Close" : "Cancel",
                      ControlText(FindControl(run, IDC_CANCEL)));
        }
        ASSERT_TRUE(Click(run, IDC_CANCEL));
        DWORD exitCode = 0;
        EXPECT_TRUE(WaitForExit(run, &exitCode)) << "no question is asked: the wizard just ends";
        EXPECT_EQ(1u, exitCode);
        if (page < ProgressPage) {
            EXPECT_FALSE(FileExists(DefaultInstallDir)) << "nothing is installed";
        }
        EndSetup(run);
    }
}
