// The LZHUF decoder: one headerless packed stream in memory to the file's bytes,
// handed out in blocks of 1024. No <windows.h> here, so tests, fuzzers and tools build it.
#ifndef INSTALL_LZHUF_CORE_H
#define INSTALL_LZHUF_CORE_H

#include <stddef.h>
#include <stdint.h>
#include "install/lzhuf_tree.h"

enum {
    LZHUF_BLOCK = 1024,                     // bytes per hand-out, the last block may be shorter
    LZHUF_TOP_BITS = 5,                     // the first levels of the tree, walked by one look-up
};

// The bit buffer is one machine word (64 bits on the host, 32 in setup.exe):
// the bits not yet used, aligned to the top, so the next bit is the top bit.
typedef uintptr_t LzhufBits;

// The decoder's state: one for the whole process, reused by every file. Not
// re-entrant: one stream at a time, from its first symbol to its last block.
// While a stream is decoded the cursor, the counts and the bits live in
// registers; they are stored back here when it ends.
struct LzhufDecoder {
    uint8_t Block[LZHUF_BLOCK];             // output not yet handed to the sink
    uint32_t BlockFill;                     // 0..1023 between bytes
    const uint8_t* Input;                   // next packed byte
    uint32_t InputLeft;                     // packed bytes not yet taken
    uint32_t OutputLeft;                    // bytes still to produce
    LzhufBits BitBuffer;
    uint32_t BitCount;                      // valid bits in BitBuffer
    uint8_t Ring[LZHUF_N];                  // [4036..4095] keep the previous file's last bytes
    LzhufTree Tree;
    // By the next five bits: the node that the walk from the root reaches in
    // them, or the leaf where it ends sooner, times 8, plus the bits it took.
    uint16_t Top[1 << LZHUF_TOP_BITS];
    uint32_t TopLowest;                     // the lowest node those walks go through
};

extern LzhufDecoder Lzhuf;

typedef void (*LzhufBlockSink)(void* context, const uint8_t* bytes, uint32_t count);

// Unpacks one headerless stream of packedSize bytes into exactly fileSize bytes,
// handing them to sink in blocks of exactly 1024 bytes and one final block of the rest.
// Bits past packedSize read as zeros. A stream that would run past fileSize is cut
// there; fileSize 0 hands out nothing.
void LzhufDecode(const uint8_t* packed, uint32_t packedSize, uint32_t fileSize,
                 LzhufBlockSink sink, void* context);

#endif
