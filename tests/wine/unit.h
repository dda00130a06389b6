// What the unit tests under Wine share: the Windows version they run under,
// and the pre-flight's state put back as it is when setup.exe starts.
#ifndef WINE_TESTS_UNIT_H
#define WINE_TESTS_UNIT_H

// The version Wine reports to this program (WINE_TEST_VERSION): "win98",
// "winxp", "vista", "win7", ...
const char* TestedVersion();

// The SetupSession's flags cleared, the SetupManifest as built, the
// product's registry key and the tests' scratch folders gone.
void ResetPreflightState();

#endif
