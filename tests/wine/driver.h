// Drives a running setup.exe from another process the way a user would: find
// its frame and page, read controls, click only what a user could click.
#ifndef WINE_TESTS_DRIVER_H
#define WINE_TESTS_DRIVER_H

#include <windows.h>
#include <gtest/gtest.h>
#include <functional>
#include <string>

// One started setup.exe. Every wait below gives up after WaitLimitMs.
struct SetupRun {
    PROCESS_INFORMATION Process;
    HWND Frame;                 // class "SetupDlg", owned by Process; null until found
};

enum { WaitLimitMs = 30000 };

// Starts the program at windowsPath under the given Windows version ("win98",
// "winxp", "vista", "win7"), as a user would: no arguments, in its own folder.
testing::AssertionResult StartProgram(SetupRun& run, const std::string& windowsPath,
                                      const char* windowsVersion);
// StartProgram, then waits until its frame shows a page.
testing::AssertionResult StartSetup(SetupRun& run, const std::string& windowsPath,
                                    const char* windowsVersion);
// Ends a run that is still going (a failed test leaves one) and frees its handles.
void EndSetup(SetupRun& run);
// Ends every run started since the last call: the clean start of each test.
void EndAllSetups();

// The current page: the frame's child dialog. Null between two pages.
HWND CurrentPage(const SetupRun& run);
// Waits until the current page holds control id (200 welcome, 300 licence,
// 401 folder, 500 progress, 600 finish) and the frame has finished laying it out.
testing::AssertionResult WaitForPage(SetupRun& run, int controlId);
// The frame's control id, else the current page's; null when neither has it.
HWND FindControl(const SetupRun& run, int id);

std::string ControlText(HWND control);     // WM_GETTEXT: works across processes, edits included
bool IsControlEnabled(HWND control);
bool IsControlShown(HWND control);          // visible, and so are all its parents
bool IsControlChecked(HWND control);

// A click as a user makes it: refused when the control is missing, disabled or hidden.
testing::AssertionResult Click(SetupRun& run, int id);

// What the dialog manager sends for Enter and Esc, and what the title bar's
// close box and Alt+F4 send; each followed by Settle.
void PressEnter(SetupRun& run);
void PressEsc(SetupRun& run);
void ClickCloseBox(SetupRun& run);
void PressAltF4(SetupRun& run);

// A command that reaches the frame the way a page sends one: WM_COMMAND with
// the control's id and no window, posted. Followed by Settle.
void PostCommand(SetupRun& run, int id);

// Waits until the frame's thread has handled everything posted to it so far,
// and what that posted in turn.
testing::AssertionResult Settle(SetupRun& run);

bool IsRunning(const SetupRun& run);
testing::AssertionResult WaitForExit(SetupRun& run, DWORD* exitCode);

// Polls until done() holds; false when it still does not after limitMs.
bool WaitUntil(const std::function<bool()>& done, DWORD limitMs = WaitLimitMs);

// The frame drawn as the active window, as it is for a user who started it.
void ShowFrameActive(SetupRun& run);

#endif
