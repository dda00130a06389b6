// The adaptive Huffman tree of LZHUF, shared by the decoder and the packer so
// that both follow exactly one model. No <windows.h> here.
#ifndef INSTALL_LZHUF_TREE_H
#define INSTALL_LZHUF_TREE_H

#include <stdint.h>

enum {
    LZHUF_N = 4096,                         // ring size: distances are 12-bit
    LZHUF_F = 60,                           // longest match
    LZHUF_THRESHOLD = 2,                    // a match is at least 3 bytes
    LZHUF_N_CHAR = 256 - LZHUF_THRESHOLD + LZHUF_F,     // 314 symbols
    LZHUF_T = LZHUF_N_CHAR * 2 - 1,         // 627 nodes
    LZHUF_R = LZHUF_T - 1,                  // the root
    LZHUF_MAX_FREQ = 0x8000,                // root frequency that triggers a rebuild
};

struct LzhufTree {
    uint16_t Freq[LZHUF_T + 1];             // [LZHUF_T] is a 0xFFFF sentinel
    uint16_t Parent[LZHUF_T + LZHUF_N_CHAR];    // [LZHUF_T + s]: the leaf of symbol s
    uint16_t Child[LZHUF_T];                // first child; a leaf holds LZHUF_T + symbol
};

void StartLzhufTree(LzhufTree* tree);
// Counts one more occurrence of symbol, rebuilding first when the root is full.
void UpdateLzhufTree(LzhufTree* tree, int symbol);
void RebuildLzhufTree(LzhufTree* tree);

#endif
