// The LZHUF bit stream, most significant bit first.
#include "tools/lzhpack/lzhuf_writer.h"

constexpr uint8_t LzhufPositionCodeLength[64] = {
    3, 4, 4, 4, 5, 5, 5, 5, 5, 5, 5, 5,
    6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6,
    7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7,
    8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8,
};

// The codes count up by one and gain a zero at the bottom where they grow longer.
struct PositionCodes {
    uint8_t Code[64];
};

static constexpr PositionCodes MakePositionCodes()
{
    PositionCodes codes = {};
    uint32_t code = 0;
    for (int u = 1; u < 64; u++) {
        code = (code + 1) << (LzhufPositionCodeLength[u] - LzhufPositionCodeLength[u - 1]);
        codes.Code[u] = (uint8_t)code;
    }
    return codes;
}

static constexpr PositionCodes Position = MakePositionCodes();
static_assert(Position.Code[1] == 0x2 && Position.Code[4] == 0xA && Position.Code[12] == 0x24 &&
              Position.Code[24] == 0x60 && Position.Code[48] == 0xF0 && Position.Code[63] == 0xFF,
              "each group starts where the table of position codes says");

static void PutBits(LzhufWriter* writer, uint32_t bits, int count)
{
    writer->Pending = writer->Pending << count | bits;
    writer->PendingCount += count;
    while (writer->PendingCount >= 8) {
        writer->PendingCount -= 8;
        writer->Out->push_back((uint8_t)(writer->Pending >> writer->PendingCount));
    }
}

void StartLzhufWriter(LzhufWriter* writer, std::vector<uint8_t>* out)
{
    StartLzhufTree(&writer->Tree);
    writer->Out = out;
    writer->Pending = 0;
    writer->PendingCount = 0;
}

// The code word is the path from the root to the symbol's leaf: a second child
// (odd node) is a 1. Walked from the leaf up, so it is written backwards; it may
// be longer than any machine word.
static void WriteSymbol(LzhufWriter* writer, int symbol)
{
    const LzhufTree* tree = &writer->Tree;
    uint8_t path[LZHUF_T];
    int depth = 0;
    for (int node = tree->Parent[LZHUF_T + symbol]; node != LZHUF_R; node = tree->Parent[node])
        path[depth++] = (uint8_t)(node & 1);
    while (depth > 0)
        PutBits(writer, path[--depth], 1);
    UpdateLzhufTree(&writer->Tree, symbol);
}

void WriteLzhufLiteral(LzhufWriter* writer, uint8_t byte)
{
    WriteSymbol(writer, byte);
}

void WriteLzhufMatch(LzhufWriter* writer, uint32_t length, uint32_t distance)
{
    WriteSymbol(writer, (int)(length + 256 - LZHUF_THRESHOLD - 1));
    uint32_t upper = distance >> 6;
    PutBits(writer, Position.Code[upper], LzhufPositionCodeLength[upper]);
    PutBits(writer, distance & 63, 6);
}

void FinishLzhufWriter(LzhufWriter* writer)
{
    if (writer->PendingCount > 0)
        PutBits(writer, 0, 8 - writer->PendingCount);
}
