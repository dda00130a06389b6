// The LZHUF decoder's blocks, written to the destination file as they come.
#include "install/lzhuf_unpack.h"
#include "install/lzhuf_core.h"

static void WriteBlock(void* outputFile, const uint8_t* bytes, uint32_t count)
{
    DWORD written;
    // Not examined: a failed write leaves the file short, and installation goes on.
    WriteFile((HANDLE)outputFile, bytes, count, &written, NULL);
}

void LzhufUnpack(HANDLE outputFile, const void* packed, DWORD packedSize, DWORD fileSize)
{
    LzhufDecode((const uint8_t*)packed, packedSize, fileSize, WriteBlock, outputFile);
}
