// Unpacks a stream through the decoder core that setup.exe ships, into memory:
// how the packer checks its own output, and how the tests read streams back.
#ifndef TOOLS_LZHPACK_UNPACK_TO_MEMORY_H
#define TOOLS_LZHPACK_UNPACK_TO_MEMORY_H

#include <stdint.h>
#include <vector>

void UnpackLzhufToMemory(const uint8_t* packed, uint32_t packedSize, uint32_t fileSize,
                         std::vector<uint8_t>* bytes);

// True when the stream unpacks to exactly these bytes.
bool PackedStreamMatches(const std::vector<uint8_t>& packed, const uint8_t* bytes, uint32_t size);

#endif
