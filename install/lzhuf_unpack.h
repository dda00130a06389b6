// Unpacking one payload file into its open destination file: the LZHUF decoder
// core with its blocks going to WriteFile.
#ifndef INSTALL_LZHUF_UNPACK_H
#define INSTALL_LZHUF_UNPACK_H

#include <windows.h>

// Appends exactly fileSize unpacked bytes to outputFile, one WriteFile call per
// block of 1024 and one for the rest. Write failures go unnoticed.
void LzhufUnpack(HANDLE outputFile, const void* packed, DWORD packedSize, DWORD fileSize);

#endif
