// The wizard frame: its dialog procedure, the page sequence, and the small
// routines the pages use on the frame's and their own controls.
#ifndef SETUP_FRAME_H
#define SETUP_FRAME_H

#include <windows.h>

INT_PTR CALLBACK FrameDlgProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam);
void AdvanceWizard(HWND frame);
void CloseWizard(HWND frame);
void CenterOnScreen(HWND window);

void EnableControl(HWND window, int id, int enable);
void ShowControl(HWND window, int id, int show);
void SetCourierFont(HWND window, int id);
void SetBoldFont(HWND window, int id);

// Dispatches the pending messages of window and its children for the given
// milliseconds, busy all the while; 0 makes exactly one pass.
void PumpMessages(HWND window, DWORD milliseconds);

#endif
