// Resource and control ids shared by setup.rc and the code.
// Plain #defines only: windres reads this file too.
#ifndef RESOURCES_IDS_H
#define RESOURCES_IDS_H

// Icons and strings
#define IDI_PROGRAM         100
#define IDI_FILE_PROGRESS   101
#define IDI_LINK_PROGRESS   102
#define IDS_PUBLISHER       1
#define IDB_BANNER          200

// Dialog templates: the frame and its five pages
#define IDD_FRAME           1001
#define IDD_WELCOME         1002
#define IDD_LICENSE         1003
#define IDD_FOLDER          1004
#define IDD_PROGRESS        1005
#define IDD_FINISH          1006

// Frame
#define IDC_PLACEHOLDER     100
#define IDC_CONTINUE        101
#define IDC_CANCEL          102

// Welcome page
#define IDC_WELCOME_FRAME   200
#define IDC_WELCOME_ICON    201
#define IDC_HEADER          202
#define IDC_INTRO_LABEL     203
#define IDC_INTRO           204
#define IDC_SPECIAL_LABEL   205
#define IDC_SPECIAL         206

// Licence page
#define IDC_LICENSE_TEXT    300
#define IDC_ACCEPT          301

// Install-folder page
#define IDC_FOLDER_HELP     400
#define IDC_FOLDER          401
#define IDC_BROWSE          402
#define IDC_RESET           403
#define IDC_DISK_SPACE      404
#define IDC_SCOPE_GROUP     405
#define IDC_SINGLE_USER     406
#define IDC_ALL_USERS       407

// Progress page
#define IDC_CURRENT_FILE    500
#define IDC_FILE_BAR        501
#define IDC_CURRENT_LINK    505
#define IDC_LINK_BAR        506

// Finish page
#define IDC_SUCCESS         600
#define IDC_GUIDE_TEXT      601
#define IDC_RUN_ON_EXIT     602

// The one-shot timer that starts the installation
#define IDT_INSTALL         2007

#endif
