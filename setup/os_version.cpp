// GetOsClass: the running system's version, classified.
#include <windows.h>
#include "os_class.h"

OsClass GetOsClass()
{
    OSVERSIONINFOA version;
    ZeroMemory(&version, sizeof version);
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExA(&version);                // a failure leaves platform id 0: Win9x
    return ClassifyOs(version.dwPlatformId, version.dwMajorVersion, version.dwMinorVersion);
}
