// Enter, Esc, the title bar's close box and Alt+F4 do nothing on any page:
// the wizard can only be left through Cancel.
#include "e2e.h"
#include "resources/ids.h"

static const struct {
    const char* name;
    void (*press)(SetupRun&);
} Keys[] = {
    {"Enter", PressEnter},
    {"Esc", PressEsc},
    {"the close box", ClickCloseBox},
    {"Alt+F4", PressAltF4},
};

TEST(Keys, EnterEscCloseBoxAndAltF4DoNothingOnAnyPage)
{
    StartFromCleanState();
    SetupRun run;
    ASSERT_TRUE(StartWizard(run));
    HWND continueButton = FindControl(run, IDC_CONTINUE);
    for (WizardPage page : {WelcomePage, LicencePage, FolderPage, FinishPage}) {
        ASSERT_TRUE(WalkTo(run, page));
        bool continueOpen = IsControlShown(continueButton) && IsControlEnabled(continueButton);
        for (const auto& key : Keys) {
            SCOPED_TRACE(std::string(key.name) + " on the " + PageName(page) + " page");
            key.press(run);
            ASSERT_TRUE(IsRunning(run)) << "the wizard ended";
            EXPECT_EQ(page, CurrentWizardPage(run));
            EXPECT_EQ(continueOpen, IsControlShown(continueButton) && IsControlEnabled(continueButton));
        }
    }
    ASSERT_TRUE(Click(run, IDC_CANCEL));
    EndSetup(run);
}

TEST(Keys, NoKeyStopsTheProgressPage)
{
    StartFromCleanState();
    SetupRun run;
    ASSERT_TRUE(StartWizard(run));
    ASSERT_TRUE(WalkTo(run, FolderPage));
    ASSERT_TRUE(Click(run, IDC_CONTINUE));
    for (const auto& key : Keys) {
        SCOPED_TRACE(key.name);
        key.press(run);
        ASSERT_TRUE(IsRunning(run)) << "the wizard ended";
    }
    EXPECT_TRUE(WaitForPage(run, IDC_SUCCESS));
    ASSERT_TRUE(Click(run, IDC_CANCEL));
    EndSetup(run);
}
