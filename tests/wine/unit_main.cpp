// The unit tests' entry: runs itself again under the Windows version asked
// for, since Wine fixes a program's version when it starts.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <string.h>
#include "setup/manifest.h"
#include "setup/session.h"
#include "unit.h"
#include "wine_state.h"

static const char* Version = "";
static SetupManifestRecord BuiltManifest;

const char* TestedVersion() { return Version; }

void ResetPreflightState()
{
    ReleaseHeldFiles();
    ClearProductState();
    SetupManifest = BuiltManifest;
    Session.NotAdmin = 0;
    Session.FilesInUse = 0;
}

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    const char* version = getenv("WINE_TEST_VERSION");
    if (!version) {
        fprintf(stderr, "WINE_TEST_VERSION names the Windows version to run under\n");
        return 2;
    }
    if (!getenv("WINE_TEST_RELAUNCHED"))
        return RunSelfUnderWindowsVersion(version);
    Version = version;
    BuiltManifest = SetupManifest;
    int result = RUN_ALL_TESTS();
    ResetPreflightState();
    return result;
}
