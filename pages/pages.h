// The five pages' dialog procedures and the checks the frame asks of them.
#ifndef PAGES_PAGES_H
#define PAGES_PAGES_H

#include <windows.h>

INT_PTR CALLBACK WelcomePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK LicensePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK FolderPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK ProgressPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK FinishPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

int IsLicenseAccepted(HWND licensePage);
int ValidateInstallDir(HWND folderPage);

// Launches the installed program; called by the frame at Close when asked for.
void LaunchProgram(HWND frame);

#endif
