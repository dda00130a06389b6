// Answers, in its exit code, which Windows version GetVersionExA reports:
// platform * 10000 + major * 100 + minor. Copied as setup.exe by the tests.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    OSVERSIONINFOA version;
    ZeroMemory(&version, sizeof version);
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExA(&version);
    return (int)(version.dwPlatformId * 10000 + version.dwMajorVersion * 100 + version.dwMinorVersion);
}
