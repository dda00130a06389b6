// The cost-based parse. The file is taken in blocks of 1024 bytes; each block
// is priced with the tree's code lengths at its start (a literal or a length
// costs its leaf's depth, a distance its position code plus six bits), the
// cheapest path through it is found, and the path is written, so the tree that
// prices the next block has learnt this one. The search looks 256 bytes past
// the block so that its last tokens are not cut short; only the tokens that
// start inside the block are written.
#include "tools/lzhpack/lzhuf_pack.h"
#include "tools/lzhpack/lzhuf_writer.h"
#include "tools/lzhpack/match_finder.h"

static const uint32_t BlockBytes = 1024;
static const uint32_t LookAhead = 256;

struct Prices {
    uint32_t Symbol[LZHUF_N_CHAR];          // code word length
    uint32_t Distance[64];                  // by the upper six bits
};

// Parents come after their children in the node order, so one pass from the
// root down gives every depth.
static void PriceTree(const LzhufTree* tree, Prices* prices)
{
    uint16_t depth[LZHUF_T];
    depth[LZHUF_R] = 0;
    for (int node = LZHUF_R; node >= 0; node--) {
        int child = tree->Child[node];
        if (child >= LZHUF_T) {
            prices->Symbol[child - LZHUF_T] = depth[node];
        } else {
            depth[child] = depth[child + 1] = (uint16_t)(depth[node] + 1);
        }
    }
}

struct Step {
    uint32_t Cost;                          // cheapest bits from here to the end of the span
    uint16_t Length;                        // of the token that starts here; 1: a literal
    uint16_t Distance;
};

// The cheapest way through bytes start .. start + span - 1, found from the end
// back. On a tie the longer token wins, so that odd pieces drift to the end of
// the look-ahead, which is not written.
static void FindCheapestPath(const uint8_t* bytes, const LzhufMatchTable& table, const Prices& prices,
                             uint32_t start, uint32_t span, Step* steps)
{
    steps[span] = {0, 0, 0};
    for (uint32_t j = span; j-- > 0;) {
        uint32_t pos = start + j;
        Step best = {prices.Symbol[bytes[pos]] + steps[j + 1].Cost, 1, 0};
        uint32_t length = LZHUF_THRESHOLD + 1;
        for (uint32_t m = table.First[pos]; m < table.First[pos + 1]; m++) {
            const LzhufMatch match = table.Matches[m];
            uint32_t longest = match.Length < span - j ? match.Length : span - j;
            uint32_t distanceCost = prices.Distance[match.Distance >> 6];
            for (; length <= longest; length++) {
                uint32_t cost = distanceCost + prices.Symbol[length + 256 - LZHUF_THRESHOLD - 1]
                              + steps[j + length].Cost;
                if (cost <= best.Cost)
                    best = {cost, (uint16_t)length, match.Distance};
            }
        }
        steps[j] = best;
    }
}

void PackLzhuf(const uint8_t* bytes, uint32_t size, std::vector<uint8_t>* packed)
{
    LzhufMatchTable table;
    FindLzhufMatches(bytes, size, &table);
    packed->clear();
    LzhufWriter writer;
    StartLzhufWriter(&writer, packed);
    Prices prices;
    for (int u = 0; u < 64; u++)
        prices.Distance[u] = LzhufPositionCodeLength[u] + 6u;
    std::vector<Step> steps(BlockBytes + LookAhead + 1);

    uint32_t start = 0;
    while (start < size) {
        uint32_t span = size - start > BlockBytes + LookAhead ? BlockBytes + LookAhead : size - start;
        uint32_t commit = start + span == size ? span : BlockBytes;
        PriceTree(&writer.Tree, &prices);
        FindCheapestPath(bytes, table, prices, start, span, steps.data());
        uint32_t j = 0;
        while (j < commit) {
            const Step& step = steps[j];
            if (step.Length == 1)
                WriteLzhufLiteral(&writer, bytes[start + j]);
            else
                WriteLzhufMatch(&writer, step.Length, step.Distance);
            j += step.Length;
        }
        start += j;
    }
    FinishLzhufWriter(&writer);
}
