// What the end-to-end tests share: the setup.exe under test, the Windows
// version it runs under, and the steps of a user's walk through the wizard.
#ifndef WINE_TESTS_E2E_H
#define WINE_TESTS_E2E_H

#include <string>
#include "driver.h"

// The setup.exe the build made, as a Windows path (WINE_TEST_SETUP_EXE).
const std::string& SetupExePath();
// The Windows version Wine reports to setup.exe (WINE_TEST_VERSION): "win98",
// "winxp", "vista" or "win7".
const char* TestedVersion();

// Ends what an earlier test left running and clears the product's registry
// key, folders and held files.
void StartFromCleanState();

// Starts setup.exe under the tested version and waits for the welcome page.
testing::AssertionResult StartWizard(SetupRun& run);

// The wizard's states as the frame counts them, and the control that tells each page.
enum WizardPage { WelcomePage = 1, LicencePage, FolderPage, ProgressPage, FinishPage };
int PageMark(WizardPage page);
const char* PageName(WizardPage page);

// The page shown now, told by its controls; 0 when none is.
int CurrentWizardPage(const SetupRun& run);

// From the page shown now, walks as a user would (Continue, tick the
// licence box, Continue...) until the page is shown.
testing::AssertionResult WalkTo(SetupRun& run, WizardPage page);

// A screenshot of the frame, drawn active, as <name>.png in the folder of
// WINE_TEST_SCREENS (build/win32/screens/<version>).
void SaveFrameScreen(SetupRun& run, const std::string& name);

extern const char FilesInUseText[];
extern const char NotAdminText[];
extern const char DefaultInstallDir[];

#endif
