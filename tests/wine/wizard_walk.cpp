// Walks the wizard from the welcome page to Close as a user would, saving a
// picture of each page: the headless run of scripts/run-wizard.sh.
// Usage: wizard_walk <setup.exe> <folder for the pictures> [Windows version]
#include <stdio.h>
#include "driver.h"
#include "resources/ids.h"
#include "screenshot.h"
#include "wine_state.h"

static std::string Folder;

static bool SavePage(SetupRun& run, const char* name)
{
    ShowFrameActive(run);
    Settle(run);
    Picture picture;
    std::string path = JoinFolder(Folder, std::string(name) + ".png");
    if (!CaptureSettled(run.Frame, &picture) || !SavePicture(picture, path)) {
        fprintf(stderr, "could not save %s\n", path.c_str());
        return false;
    }
    printf("%s.png\n", name);
    return true;
}

// The progress page moves on by itself after half a second: its picture is
// kept only when the page was still there once the capture had settled.
static bool ProgressPicture(SetupRun& run)
{
    auto onPage = [&](int id) { HWND page = CurrentPage(run); return page && GetDlgItem(page, id); };
    WaitUntil([&] { return onPage(IDC_CURRENT_FILE) || onPage(IDC_SUCCESS) || !IsRunning(run); });
    Picture picture;
    if (onPage(IDC_CURRENT_FILE) && CaptureSettled(run.Frame, &picture) && onPage(IDC_CURRENT_FILE) &&
        SavePicture(picture, JoinFolder(Folder, "4-progress.png")))
        printf("4-progress.png\n");
    else
        printf("(the progress page went by before it could be captured)\n");
    return true;
}

static bool Step(const testing::AssertionResult& result, const char* what)
{
    if (!result)
        fprintf(stderr, "%s: %s\n", what, result.message());
    return result;
}

static bool Walk(SetupRun& run, const std::string& setup, const char* version)
{
    return Step(StartSetup(run, setup, version), "start") &&
           Step(WaitForPage(run, IDC_WELCOME_FRAME), "welcome page") &&
           SavePage(run, "1-welcome") &&
           Step(Click(run, IDC_CONTINUE), "Continue on the welcome page") &&
           Step(WaitForPage(run, IDC_LICENSE_TEXT), "licence page") &&
           SavePage(run, "2-licence") &&
           Step(Click(run, IDC_ACCEPT), "ticking the licence box") &&
           SavePage(run, "2-licence-accepted") &&
           Step(Click(run, IDC_CONTINUE), "Continue on the licence page") &&
           Step(WaitForPage(run, IDC_FOLDER), "folder page") &&
           SavePage(run, "3-folder") &&
           Step(Click(run, IDC_CONTINUE), "Continue on the folder page") &&
           ProgressPicture(run) &&
           Step(WaitForPage(run, IDC_SUCCESS), "finish page") &&
           SavePage(run, "5-finish") &&
           Step(Click(run, IDC_CANCEL), "Close on the finish page");
}

int main(int argc, char** argv)
{
    if (argc < 3) {
        fprintf(stderr, "usage: wizard_walk <setup.exe> <folder for the pictures> [Windows version]\n");
        return 2;
    }
    std::string setup = WindowsPathOf(argv[1]);
    Folder = WindowsPathOf(argv[2]);
    const char* version = argc > 3 ? argv[3] : "winxp";
    if (!MakeFolderChain(Folder)) {
        fprintf(stderr, "cannot make %s\n", Folder.c_str());
        return 1;
    }
    SetupRun run;
    bool walked = Walk(run, setup, version);
    DWORD exitCode = 0;
    if (walked && Step(WaitForExit(run, &exitCode), "the end"))
        printf("setup.exe ended with exit code %lu\n", exitCode);
    EndSetup(run);
    return walked ? 0 : 1;
}
