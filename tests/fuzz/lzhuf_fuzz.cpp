// libFuzzer over the LZHUF decoder: whatever the stream and the file size, it ends
// with exactly that many bytes, in blocks of 1024 and the rest, as the model decodes them.
#include <stdlib.h>
#include <string.h>
#include "install/lzhuf_core.h"
#include "tests/host/lzhuf_reference.h"

struct BlockCheck {
    const uint8_t* Expected;
    uint32_t FileSize;
    uint32_t Produced;
    bool Ended;                             // a block shorter than 1024 was the last one
};

static void CheckBlock(void* context, const uint8_t* bytes, uint32_t count)
{
    BlockCheck* check = (BlockCheck*)context;
    if (check->Ended || count == 0 || count > check->FileSize - check->Produced)
        abort();
    if (memcmp(bytes, check->Expected + check->Produced, count) != 0)
        abort();
    check->Produced += count;
    check->Ended = count != LZHUF_BLOCK;
}

// Input: the file size in two bytes (little-endian), times eight when the third
// byte is 0xFF (up to 512 KB, long enough for rebuilds; most inputs stay small
// and quick), then the stream.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 3)
        return 0;
    uint32_t fileSize = (uint32_t)(data[0] | data[1] << 8) << (data[2] == 0xFF ? 3 : 0);
    const uint8_t* packed = data + 3;       // libFuzzer's own copy, exactly as long as the input
    uint32_t packedSize = (uint32_t)(size - 3);

    static ReferenceLzhuf model;
    memcpy(model.Ring, Lzhuf.Ring, sizeof model.Ring);     // what earlier inputs left in the ring
    std::vector<uint8_t> expected = model.Decode(packed, packedSize, fileSize);
    BlockCheck check = {expected.data(), fileSize, 0, false};
    LzhufDecode(packed, packedSize, fileSize, CheckBlock, &check);
    if (check.Produced != fileSize)
        abort();
    return 0;
}
