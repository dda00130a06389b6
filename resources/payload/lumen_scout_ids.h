// Control ids of the Lumen Scout main window, shared by its code, its
// resources and the tests that read the window of a launched copy.
#ifndef PAYLOAD_LUMEN_SCOUT_IDS_H
#define PAYLOAD_LUMEN_SCOUT_IDS_H

#define IDI_LUMEN_SCOUT         100

#define IDC_PROGRAM_PATH        110     // the program's own full path
#define IDC_WORKING_FOLDER      111     // the working folder it was started in
#define IDC_VARIANT             112     // "classic" or "XP"

#endif
