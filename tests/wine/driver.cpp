// Drives a running setup.exe from another process the way a user would.
#include "driver.h"
#include <vector>
#include "resources/ids.h"
#include "wine_state.h"

using testing::AssertionFailure;
using testing::AssertionResult;
using testing::AssertionSuccess;

enum { PollMs = 5 };

// The processes started and not yet ended: a test that fails half-way leaves
// its run behind, and the next test's clean start ends it.
static std::vector<HANDLE> StartedProcesses;

bool WaitUntil(const std::function<bool()>& done, DWORD limitMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        if (done())
            return true;
        if (GetTickCount() - start >= limitMs)
            return done();
        Sleep(PollMs);
    }
}

static HWND FindFrameOf(DWORD processId)
{
    for (HWND window = NULL; (window = FindWindowExA(NULL, window, "SetupDlg", NULL)) != NULL;) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId)
            return window;
    }
    return NULL;
}

AssertionResult StartProgram(SetupRun& run, const std::string& windowsPath, const char* windowsVersion)
{
    run = SetupRun();
    std::string name = windowsPath.substr(windowsPath.find_last_of('\\') + 1);
    if (!SetWindowsVersionFor(name.c_str(), windowsVersion))
        return AssertionFailure() << "could not set the Windows version " << windowsVersion;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + windowsPath + "\"";
    std::string folder = windowsPath.substr(0, windowsPath.find_last_of('\\'));
    if (!CreateProcessA(windowsPath.c_str(), &commandLine[0], NULL, NULL, FALSE, 0, NULL,
                        folder.c_str(), &startup, &run.Process))
        return AssertionFailure() << "could not start " << windowsPath << " (error "
                                  << GetLastError() << ")";
    StartedProcesses.push_back(run.Process.hProcess);
    return AssertionSuccess();
}

AssertionResult StartSetup(SetupRun& run, const std::string& windowsPath, const char* windowsVersion)
{
    AssertionResult started = StartProgram(run, windowsPath, windowsVersion);
    if (!started)
        return started;
    // The frame exists before it is visible: its page is made during WM_INITDIALOG.
    bool shown = WaitUntil([&] {
        run.Frame = FindFrameOf(run.Process.dwProcessId);
        return (run.Frame && IsWindowVisible(run.Frame) && CurrentPage(run)) || !IsRunning(run);
    });
    if (!IsRunning(run)) {
        DWORD exitCode = 0;
        GetExitCodeProcess(run.Process.hProcess, &exitCode);
        return AssertionFailure() << "setup.exe ended (exit code " << exitCode
                                  << ") before its frame showed a page";
    }
    if (!shown)
        return AssertionFailure() << "setup.exe showed no frame with a page within "
                                  << WaitLimitMs << " ms";
    return Settle(run);
}

static void EndProcess(HANDLE process)
{
    if (WaitForSingleObject(process, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process, 99);
        WaitForSingleObject(process, WaitLimitMs);
    }
    CloseHandle(process);
    for (size_t i = 0; i < StartedProcesses.size(); i++)
        if (StartedProcesses[i] == process)
            StartedProcesses.erase(StartedProcesses.begin() + i);
}

void EndSetup(SetupRun& run)
{
    if (run.Process.hProcess) {
        EndProcess(run.Process.hProcess);
        CloseHandle(run.Process.hThread);
    }
    run = SetupRun();
}

void EndAllSetups()
{
    while (!StartedProcesses.empty())
        EndProcess(StartedProcesses.back());
}

HWND CurrentPage(const SetupRun& run)
{
    if (!run.Frame)
        return NULL;
    return FindWindowExA(run.Frame, NULL, "#32770", NULL);     // the frame's only child dialog
}

AssertionResult WaitForPage(SetupRun& run, int controlId)
{
    bool found = WaitUntil([&] {
        HWND page = CurrentPage(run);
        return (page && GetDlgItem(page, controlId)) || !IsRunning(run);
    });
    if (!IsRunning(run))
        return AssertionFailure() << "setup.exe ended while waiting for the page with control "
                                  << controlId;
    if (!found) {
        HWND page = CurrentPage(run);
        return AssertionFailure() << "no page with control " << controlId << " within "
                                  << WaitLimitMs << " ms; the page shown starts with control "
                                  << (page ? GetDlgCtrlID(GetWindow(page, GW_CHILD)) : 0);
    }
    return Settle(run);     // the frame lays the page over its placeholder after making it
}

HWND FindControl(const SetupRun& run, int id)
{
    if (!run.Frame)
        return NULL;
    HWND control = GetDlgItem(run.Frame, id);
    if (control)
        return control;
    HWND page = CurrentPage(run);
    return page ? GetDlgItem(page, id) : NULL;
}

std::string ControlText(HWND control)
{
    std::vector<char> text(4096);
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(control, WM_GETTEXT, text.size(), (LPARAM)text.data(),
                             SMTO_NORMAL, WaitLimitMs, &length))
        return "<no answer>";
    return std::string(text.data(), strnlen(text.data(), text.size()));
}

bool IsControlEnabled(HWND control)
{
    for (HWND window = control; window; window = GetAncestor(window, GA_PARENT)) {
        if (window == GetDesktopWindow())
            break;
        if (!IsWindowEnabled(window))
            return false;
    }
    return control != NULL;
}

bool IsControlShown(HWND control)
{
    return control && IsWindowVisible(control);     // false when any parent is hidden too
}

bool IsControlChecked(HWND control)
{
    DWORD_PTR state = 0;
    SendMessageTimeoutA(control, BM_GETCHECK, 0, 0, SMTO_NORMAL, WaitLimitMs, &state);
    return state == BST_CHECKED;
}

AssertionResult Click(SetupRun& run, int id)
{
    HWND control = FindControl(run, id);
    if (!control)
        return AssertionFailure() << "there is no control " << id << " to click";
    // Wine lets BM_CLICK fire a disabled button; a user's mouse could not.
    if (!IsControlShown(control))
        return AssertionFailure() << "control " << id << " (\"" << ControlText(control)
                                  << "\") is hidden: a user cannot click it";
    if (!IsControlEnabled(control))
        return AssertionFailure() << "control " << id << " (\"" << ControlText(control)
                                  << "\") is disabled: a user cannot click it";
    PostMessageA(control, BM_CLICK, 0, 0);
    return Settle(run);
}

static void PostToFrame(SetupRun& run, UINT message, WPARAM wParam, LPARAM lParam)
{
    PostMessageA(run.Frame, message, wParam, lParam);
    Settle(run);
}

void PostCommand(SetupRun& run, int id)
{
    PostToFrame(run, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

void PressEnter(SetupRun& run)
{
    PostToFrame(run, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

void PressEsc(SetupRun& run)
{
    PostToFrame(run, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

void ClickCloseBox(SetupRun& run)
{
    RECT frame;
    GetWindowRect(run.Frame, &frame);
    PostToFrame(run, WM_SYSCOMMAND, SC_CLOSE, MAKELPARAM(frame.right - 8, frame.top + 8));
}

void PressAltF4(SetupRun& run)
{
    // The system key with Alt held: bit 29 of lParam, the context code.
    PostToFrame(run, WM_SYSKEYDOWN, VK_F4, 1 | (1 << 29) | (MapVirtualKeyA(VK_F4, 0) << 16));
}

// Posted messages are handled in order: once a marker posted after them has
// been handled, so have they. The marker pushes the Cancel button in and a
// later one lets it out again (BM_SETSTATE: a look, never a click). Four
// rounds cover a message that posts another that posts a third, as Alt+F4
// does (key, system command, close).
AssertionResult Settle(SetupRun& run)
{
    if (!IsRunning(run) || !IsWindow(run.Frame))
        return AssertionSuccess();      // nothing left to wait for: the wizard has ended
    HWND cancel = GetDlgItem(run.Frame, IDC_CANCEL);
    auto pushed = [&] {
        DWORD_PTR state = 0;
        SendMessageTimeoutA(cancel, BM_GETSTATE, 0, 0, SMTO_NORMAL, WaitLimitMs, &state);
        return (state & BST_PUSHED) != 0;
    };
    bool push = !pushed();
    for (int round = 0; round < 4; round++, push = !push) {
        PostMessageA(cancel, BM_SETSTATE, push, 0);
        bool handled = WaitUntil([&] { return !IsWindow(cancel) || pushed() == push; });
        if (!IsWindow(cancel)) {
            // The frame is gone: let the process finish ending, so IsRunning tells the truth.
            WaitForSingleObject(run.Process.hProcess, WaitLimitMs);
            return AssertionSuccess();
        }
        if (!handled)
            return AssertionFailure() << "the frame did not handle its messages within "
                                      << WaitLimitMs << " ms";
    }
    return AssertionSuccess();
}

bool IsRunning(const SetupRun& run)
{
    return run.Process.hProcess &&
           WaitForSingleObject(run.Process.hProcess, 0) == WAIT_TIMEOUT;
}

AssertionResult WaitForExit(SetupRun& run, DWORD* exitCode)
{
    if (WaitForSingleObject(run.Process.hProcess, WaitLimitMs) != WAIT_OBJECT_0)
        return AssertionFailure() << "setup.exe still runs " << WaitLimitMs << " ms later";
    GetExitCodeProcess(run.Process.hProcess, exitCode);
    return AssertionSuccess();
}

void ShowFrameActive(SetupRun& run)
{
    // Without a window manager Wine's desktop never activates the frame for us.
    SetForegroundWindow(run.Frame);
    SendMessageTimeoutA(run.Frame, WM_NCACTIVATE, TRUE, 0, SMTO_NORMAL, WaitLimitMs, NULL);
}
