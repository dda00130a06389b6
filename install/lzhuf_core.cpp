// The LZHUF decoder: adaptive Huffman symbols over a 4096-byte LZSS ring.
#include "install/lzhuf_core.h"
#include <string.h>

LzhufDecoder Lzhuf;

enum {
    BITS = sizeof(LzhufBits) * 8,
    RING_MASK = LZHUF_N - 1,
    FIRST_WRITE = LZHUF_N - LZHUF_F,        // ring[0..4035] start as spaces, r starts here
};

// The fixed prefix code of a distance's upper six bits, looked up by the next
// eight stream bits: the value whose code begins there, and that code's length.
struct PositionCode {
    uint8_t Upper[256];
    uint8_t Length[256];
};

static constexpr PositionCode MakePositionCode()
{
    // Per code length 3..8, how many values have it; the codes count up from 000.
    const int values[6] = {1, 3, 8, 12, 24, 16};
    PositionCode code = {};
    int v = 0, upper = 0;
    for (int length = 3; length <= 8; length++) {
        for (int n = 0; n < values[length - 3]; n++, upper++) {
            for (int run = 0; run < 1 << (8 - length); run++, v++) {
                code.Upper[v] = (uint8_t)upper;
                code.Length[v] = (uint8_t)length;
            }
        }
    }
    return code;
}

static constexpr PositionCode Position = MakePositionCode();
static_assert(Position.Upper[0x4F] == 3 && Position.Length[0x50] == 5 && Position.Upper[0xFF] == 63,
              "position code tables");

static inline LzhufBits LoadBigEndian(const uint8_t* p)
{
    LzhufBits word;
    memcpy(&word, p, sizeof word);
#if __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    if (sizeof word == 8)
        return (LzhufBits)__builtin_bswap64((uint64_t)word);
    return (LzhufBits)__builtin_bswap32((uint32_t)word);
#else
    return word;
#endif
}

// The only place where packed bytes enter: tops the bit buffer up to at least
// BITS - 7 bits. A whole word is loaded only while that many bytes are left;
// near the end bytes come one at a time, and past the end as zeros.
static inline void FillBits(const uint8_t*& input, uint32_t& inputLeft, LzhufBits& bits, uint32_t& count)
{
    if (count > BITS - 8)
        return;
    if (inputLeft >= sizeof(LzhufBits)) {
        // The low bits may pick up the start of the byte after the last whole
        // one taken; taking that byte later ORs the same bits in again.
        bits |= LoadBigEndian(input) >> count;
        uint32_t take = (BITS - 1 - count) / 8;
        input += take;
        inputLeft -= take;
        count += take * 8;
        return;
    }
    for (; count <= BITS - 8; count += 8) {
        LzhufBits x = 0;
        if (inputLeft != 0) {
            x = *input++;
            inputLeft--;
        }
        bits |= x << (BITS - 8 - count);
    }
}

// Fills the look-up for the prefixes below node, at depth bits from the root,
// and lowers *lowest to every node whose children the walks read.
static void DrawTopFrom(LzhufDecoder* z, unsigned node, unsigned depth, unsigned prefix, uint32_t* lowest)
{
    unsigned span = 1u << (LZHUF_TOP_BITS - depth);
    unsigned first = z->Tree.Child[node];
    if (depth == LZHUF_TOP_BITS || first >= LZHUF_T) {
        for (unsigned i = 0; i < span; i++)
            z->Top[prefix * span + i] = (uint16_t)(node << 3 | depth);
        if (depth == LZHUF_TOP_BITS)
            return;
    } else {
        DrawTopFrom(z, first, depth + 1, prefix * 2, lowest);
        DrawTopFrom(z, first + 1, depth + 1, prefix * 2 + 1, lowest);
    }
    if (node < *lowest)
        *lowest = node;
}

// Redraws the look-up of the tree's first levels. Only an exchange of a node
// whose children it reads changes it, and an exchange moves that node up to
// a higher one, so the update's highest moved node tells when to redraw.
static void DrawTop(LzhufDecoder* z)
{
    z->TopLowest = LZHUF_T;
    DrawTopFrom(z, LZHUF_R, 0, 0, &z->TopLowest);
}

void LzhufDecode(const uint8_t* packed, uint32_t packedSize, uint32_t fileSize,
                 LzhufBlockSink sink, void* context)
{
    LzhufDecoder* z = &Lzhuf;
    z->Input = packed;
    z->InputLeft = packedSize;
    z->OutputLeft = fileSize;
    z->BlockFill = 0;
    StartLzhufTree(&z->Tree);
    DrawTop(z);
    memset(z->Ring, ' ', FIRST_WRITE);

    // The loop keeps the reader and the counts in registers, and stores them
    // back at the end: every byte stored to the ring or the block could alias them.
    const uint8_t* input = packed;
    uint32_t inputLeft = packedSize;
    uint32_t outputLeft = fileSize;
    LzhufBits bits = 0;
    uint32_t count = 0;
    uint32_t r = FIRST_WRITE;
    uint32_t fill = 0;
    uint8_t* ring = z->Ring;
    uint8_t* block = z->Block;
    const uint16_t* child = z->Tree.Child;

    while (outputLeft != 0) {
        FillBits(input, inputLeft, bits, count);
        // From the root, bit 0 takes the first child, 1 the second: the first
        // five levels in one look-up. A tree of these counts is at most 21 deep,
        // within one fill even of 32 bits.
        unsigned top = z->Top[bits >> (BITS - LZHUF_TOP_BITS)];
        bits <<= top & 7;
        count -= top & 7;
        unsigned p = child[top >> 3];
        while (p < LZHUF_T) {
            p = child[p + (unsigned)(bits >> (BITS - 1))];
            bits <<= 1;
            count--;
        }
        unsigned symbol = p - LZHUF_T;
        if (CountLzhufSymbol(&z->Tree, symbol) >= z->TopLowest)
            DrawTop(z);

        // The only places where bytes go out; a match never runs past the file size.
        if (symbol < 256) {
            ring[r] = (uint8_t)symbol;
            r = (r + 1) & RING_MASK;
            block[fill++] = (uint8_t)symbol;
            outputLeft--;
            if (fill == LZHUF_BLOCK) {
                sink(context, block, fill);
                fill = 0;
            }
            continue;
        }
        FillBits(input, inputLeft, bits, count);
        unsigned v = (unsigned)(bits >> (BITS - 8));
        unsigned n = Position.Length[v] + 6u;          // the code, then the low six bits
        uint32_t d = (uint32_t)Position.Upper[v] << 6 | ((uint32_t)(bits >> (BITS - n)) & 63);
        bits <<= n;
        count -= n;
        uint32_t q = (r - d - 1) & RING_MASK;
        uint32_t length = symbol - (256 - LZHUF_THRESHOLD - 1);
        if (length > outputLeft)
            length = outputLeft;
        outputLeft -= length;
        do {                                    // byte by byte: an overlapping source repeats
            uint8_t x = ring[q];
            q = (q + 1) & RING_MASK;
            ring[r] = x;
            r = (r + 1) & RING_MASK;
            block[fill++] = x;
            if (fill == LZHUF_BLOCK) {
                sink(context, block, fill);
                fill = 0;
            }
        } while (--length != 0);
    }
    if (fill != 0)
        sink(context, block, fill);

    z->BlockFill = 0;
    z->Input = input;
    z->InputLeft = inputLeft;
    z->OutputLeft = outputLeft;
    z->BitBuffer = bits;
    z->BitCount = count;
}
