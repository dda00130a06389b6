// Writes the LZHUF bit stream: symbols as code words of the adaptive tree
// (which then learns them), distances through the fixed position code.
#ifndef TOOLS_LZHPACK_LZHUF_WRITER_H
#define TOOLS_LZHPACK_LZHUF_WRITER_H

#include "install/lzhuf_tree.h"
#include <stdint.h>
#include <vector>

struct LzhufWriter {
    LzhufTree Tree;
    std::vector<uint8_t>* Out;
    uint32_t Pending;                       // bits not yet in Out, at the bottom
    int PendingCount;                       // 0..7 between calls
};

// Bits of the upper six distance bits' code, by value.
extern const uint8_t LzhufPositionCodeLength[64];

void StartLzhufWriter(LzhufWriter* writer, std::vector<uint8_t>* out);
void WriteLzhufLiteral(LzhufWriter* writer, uint8_t byte);
void WriteLzhufMatch(LzhufWriter* writer, uint32_t length, uint32_t distance);
// Completes the last byte with zero bits.
void FinishLzhufWriter(LzhufWriter* writer);

#endif
