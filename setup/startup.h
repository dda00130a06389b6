// Start-up and pre-flight: the class of the frame, the working folders, the probes.
#ifndef SETUP_STARTUP_H
#define SETUP_STARTUP_H

#include <windows.h>

BOOL RegisterFrameClass();
void RunPreflight();
BOOL ReadPreviousInstallDir(char* buffer, DWORD size);
void ProbeAdminRights();
void ProbeFilesInUse();
void DeleteCachedGdiObjects();

#endif
