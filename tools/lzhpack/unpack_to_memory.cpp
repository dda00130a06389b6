// The decoder core hands out blocks; these append them to a vector.
#include "tools/lzhpack/unpack_to_memory.h"
#include "install/lzhuf_core.h"
#include <string.h>

static void AppendBlock(void* context, const uint8_t* bytes, uint32_t count)
{
    std::vector<uint8_t>* out = (std::vector<uint8_t>*)context;
    out->insert(out->end(), bytes, bytes + count);
}

void UnpackLzhufToMemory(const uint8_t* packed, uint32_t packedSize, uint32_t fileSize,
                         std::vector<uint8_t>* bytes)
{
    bytes->clear();
    bytes->reserve(fileSize);
    LzhufDecode(packed, packedSize, fileSize, AppendBlock, bytes);
}

bool PackedStreamMatches(const std::vector<uint8_t>& packed, const uint8_t* bytes, uint32_t size)
{
    std::vector<uint8_t> unpacked;
    UnpackLzhufToMemory(packed.data(), (uint32_t)packed.size(), size, &unpacked);
    return unpacked.size() == size && (size == 0 || memcmp(unpacked.data(), bytes, size) == 0);
}
