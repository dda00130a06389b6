// payload_table: prints the setup program's file table, so that the build
// makes and checks the payload against the very table that ships.
//
// usage: payload_table [OUT]   (standard output without OUT)
// One row a line: resource name, file name, file size and packed size,
// separated by tabs (file names may hold blanks).
#include <stdio.h>
#include "setup/manifest.h"

int main(int argc, char** argv)
{
    FILE* out = argc > 1 ? fopen(argv[1], "w") : stdout;
    if (!out) {
        perror(argv[1]);
        return 1;
    }
    for (int row = 0; row < SetupManifest.FileCount; ++row) {
        const FileEntry& entry = SetupManifest.Files[row];
        fprintf(out, "%s\t%s\t%lu\t%lu\n", entry.ResourceName, entry.FileName,
                (unsigned long)entry.FileSize, (unsigned long)entry.PackedSize);
    }
    if (fclose(out) != 0) {
        perror(argc > 1 ? argv[1] : "stdout");
        return 1;
    }
    return 0;
}
