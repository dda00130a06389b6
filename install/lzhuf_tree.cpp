// The LZHUF tree: initial shape, update after each symbol, rebuild when full.
#include "lzhuf_tree.h"
#include <string.h>

void StartLzhufTree(LzhufTree* tree)
{
    for (int s = 0; s < LZHUF_N_CHAR; s++) {
        tree->Freq[s] = 1;
        tree->Child[s] = (uint16_t)(s + LZHUF_T);
        tree->Parent[s + LZHUF_T] = (uint16_t)s;
    }
    for (int i = 0, j = LZHUF_N_CHAR; j <= LZHUF_R; i += 2, j++) {
        tree->Freq[j] = (uint16_t)(tree->Freq[i] + tree->Freq[i + 1]);
        tree->Child[j] = (uint16_t)i;
        tree->Parent[i] = tree->Parent[i + 1] = (uint16_t)j;
    }
    tree->Freq[LZHUF_T] = 0xFFFF;
    tree->Parent[LZHUF_R] = 0;
}

void RebuildLzhufTree(LzhufTree* tree)
{
    uint16_t* freq = tree->Freq;
    uint16_t* child = tree->Child;
    // Leaves to the front, in their present order, with halved counts.
    int j = 0;
    for (int i = 0; i < LZHUF_T; i++) {
        if (child[i] >= LZHUF_T) {
            freq[j] = (uint16_t)((freq[i] + 1) / 2);
            child[j] = child[i];
            j++;
        }
    }
    // Internal nodes, each placed after every node of equal frequency.
    for (int i = 0, j = LZHUF_N_CHAR; j < LZHUF_T; i += 2, j++) {
        uint16_t f = (uint16_t)(freq[i] + freq[i + 1]);
        freq[j] = f;
        int k = j - 1;
        while (f < freq[k])
            k--;
        k++;
        memmove(&freq[k + 1], &freq[k], (size_t)(j - k) * sizeof freq[0]);
        freq[k] = f;
        memmove(&child[k + 1], &child[k], (size_t)(j - k) * sizeof child[0]);
        child[k] = (uint16_t)i;
    }
    for (int i = 0; i < LZHUF_T; i++) {
        int k = child[i];
        if (k >= LZHUF_T)
            tree->Parent[k] = (uint16_t)i;
        else
            tree->Parent[k] = tree->Parent[k + 1] = (uint16_t)i;
    }
}

void UpdateLzhufTree(LzhufTree* tree, int symbol)
{
    CountLzhufSymbol(tree, (unsigned)symbol);
}
