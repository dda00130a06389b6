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

// The update itself, inline so that the decoder's loop takes it in (a call per
// symbol costs it a tenth of its speed). Returns the highest node that changed
// place: 0 when none did, the root after a rebuild.
static inline unsigned CountLzhufSymbol(LzhufTree* tree, unsigned symbol)
{
    uint16_t* freq = tree->Freq;
    uint16_t* parent = tree->Parent;
    uint16_t* child = tree->Child;
    unsigned moved = 0;
    if (freq[LZHUF_R] == LZHUF_MAX_FREQ) {
        RebuildLzhufTree(tree);
        moved = LZHUF_R;
    }
    unsigned p = parent[symbol + LZHUF_T];
    do {
        uint16_t k = ++freq[p];
        if (k > freq[p + 1]) {
            // Move p up past every node of smaller count; ties stay put. The counts
            // are sorted, so the nodes passed are a run: count the next seven
            // without a branch, and walk on only past a longer run.
            unsigned l = p + 1;
            if (l + 7 <= LZHUF_T) {
                unsigned n = (freq[l + 1] < k) + (freq[l + 2] < k) + (freq[l + 3] < k) + (freq[l + 4] < k) +
                             (freq[l + 5] < k) + (freq[l + 6] < k) + (freq[l + 7] < k);
                l += n;
                if (n == 7)
                    while (k > freq[l + 1])
                        l++;
            } else {
                while (k > freq[l + 1])             // the sentinel stops this below node 627
                    l++;
            }
            freq[p] = freq[l];
            freq[l] = k;
            unsigned i = child[p];
            parent[i] = (uint16_t)l;
            if (i < LZHUF_T)
                parent[i + 1] = (uint16_t)l;
            unsigned j = child[l];
            child[l] = (uint16_t)i;
            parent[j] = (uint16_t)p;
            if (j < LZHUF_T)
                parent[j + 1] = (uint16_t)p;
            child[p] = (uint16_t)j;
            p = l;
            if (l > moved)
                moved = l;
        }
        p = parent[p];
    } while (p != 0);
    return moved;
}

#endif
