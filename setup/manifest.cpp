// The product's data: names, stamp and file table of Lumen Scout.
#include "manifest.h"
#include "payload_sizes.h"   // the packed sizes, measured on the resources the build made

SetupManifestRecord SetupManifest = {
    "Lumen Scout",
    "5.00",
    "OMBRI\\Lumen Scout",
    "OMBRI",
    "http://www.ombri.com/support.html",
    {2007, 10, 5, 19, 5, 0, 0, 0},     // Friday 19 October 2007, 05:00:00.000 local time
    {
        {"LSTCleanup.exe",  0x0102, "CLEANUP_98", "Remove",      73728,  PACKED_SIZE_CLEANUP_98},
        {"LSTCleanup.exe",  0x0202, "CLEANUP_XP", "-",           99328,  PACKED_SIZE_CLEANUP_XP},
        {"Lumen Scout.exe", 0x0101, "PROGRAM_98", "Lumen Scout", 172032, PACKED_SIZE_PROGRAM_98},
        {"Lumen Scout.exe", 0x0201, "PROGRAM_XP", "-",           221184, PACKED_SIZE_PROGRAM_XP},
        {"Lumen Scout.chm", 0x0301, "PROGRAMHLP", "Help",        43122,  PACKED_SIZE_PROGRAMHLP},
        {"Refresh.exe",     0x0301, "UPDATER",    "Update",      57344,  PACKED_SIZE_UPDATER},
        {"Go Ombri.url",    0x0301, "WEBLINK",    "Go Ombri",    47,     0},
        {"Sales.txt",       0x0301, "ORDER",      "-",           1993,   PACKED_SIZE_ORDER},
        {"Account.txt",     0x0301, "REGINFO",    "-",           942,    PACKED_SIZE_REGINFO},
    },
    9,
    5,
    ".",
    ".",
    ".",
};
