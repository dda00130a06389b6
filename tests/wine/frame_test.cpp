// The frame as it opens: centred on the screen, titled, with the program's
// icon; and the Windows version that Wine reports to a program called setup.exe.
#include "e2e.h"
#include "resources/ids.h"
#include "screenshot.h"
#include "wine_state.h"

TEST(Frame, OpensCentredOnTheScreenTitledWithTheProduct)
{
    StartFromCleanState();
    SetupRun run;
    ASSERT_TRUE(StartWizard(run));

    RECT frame;
    GetWindowRect(run.Frame, &frame);
    int width = frame.right - frame.left, height = frame.bottom - frame.top;
    EXPECT_EQ((GetSystemMetrics(SM_CXSCREEN) - width) / 2, frame.left) << "not centred across";
    EXPECT_EQ((GetSystemMetrics(SM_CYSCREEN) - height) / 2, frame.top) << "not centred down";
    EXPECT_EQ("OMBRI Lumen Scout", ControlText(run.Frame));
    char className[64] = "";
    GetClassNameA(run.Frame, className, sizeof className);
    EXPECT_STREQ("SetupDlg", className);
    LONG style = GetWindowLongA(run.Frame, GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU) << "the title bar has a close box";
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) << "no minimise or maximise box";
    SaveFrameScreen(run, "frame");

    ASSERT_TRUE(Click(run, IDC_CANCEL));
    DWORD exitCode = 0;
    EXPECT_TRUE(WaitForExit(run, &exitCode));
    EndSetup(run);
}

TEST(Frame, TitleBarShowsTheProgramsIcon)
{
    StartFromCleanState();
    Picture programIcon, otherIcon;
    ASSERT_TRUE(LoadIconPicture(SetupExePath(), IDI_PROGRAM, 16, &programIcon));
    ASSERT_TRUE(LoadIconPicture(SetupExePath(), IDI_FILE_PROGRESS, 16, &otherIcon));
    SetupRun run;
    ASSERT_TRUE(StartWizard(run));
    ShowFrameActive(run);

    // The title bar: the window's top rows, down to its client area.
    RECT frame;
    GetWindowRect(run.Frame, &frame);
    POINT client = {0, 0};
    ClientToScreen(run.Frame, &client);
    RECT titleBar = {0, 0, frame.right - frame.left, client.y - frame.top};
    Picture screen;
    EXPECT_TRUE(WaitUntil([&] {
        return CaptureWindow(run.Frame, &screen) && ContainsIcon(screen, titleBar, programIcon);
    })) << "icon 100 does not show in the title bar";
    EXPECT_FALSE(ContainsIcon(screen, titleBar, otherIcon)) << "the search tells icons apart";

    ASSERT_TRUE(Click(run, IDC_CANCEL));
    EndSetup(run);
}

// GetVersionExA as a program of that name sees it: Wine chooses the version
// by the program's file name, so a probe called setup.exe answers for it.
TEST(Frame, AProgramCalledSetupExeRunsUnderTheTestedVersion)
{
    StartFromCleanState();
    const struct { const char* version; DWORD platform, major, minor; } versions[] = {
        {"win98", VER_PLATFORM_WIN32_WINDOWS, 4, 10},
        {"winxp", VER_PLATFORM_WIN32_NT, 5, 1},
        {"vista", VER_PLATFORM_WIN32_NT, 6, 0},
        {"win7", VER_PLATFORM_WIN32_NT, 6, 1},
    };
    char self[MAX_PATH];
    GetModuleFileNameA(NULL, self, sizeof self);
    std::string probe = std::string(self, strrchr(self, '\\')) + "\\version_probe.exe";
    std::string folder = JoinFolder(TestArea(), "probe");
    ASSERT_TRUE(MakeFolderChain(folder));
    std::string copy = JoinFolder(folder, "setup.exe");
    ASSERT_TRUE(CopyFileA(probe.c_str(), copy.c_str(), FALSE)) << probe;

    bool known = false;
    for (const auto& v : versions) {
        if (strcmp(v.version, TestedVersion()) != 0)
            continue;
        known = true;
        SetupRun run;
        ASSERT_TRUE(StartProgram(run, copy, TestedVersion()));
        DWORD answer = 0;
        ASSERT_TRUE(WaitForExit(run, &answer));
        EXPECT_EQ(v.platform * 10000 + v.major * 100 + v.minor, answer)
            << "platform * 10000 + major * 100 + minor";
        EndSetup(run);
    }
    EXPECT_TRUE(known) << "no version numbers known for " << TestedVersion();
}
