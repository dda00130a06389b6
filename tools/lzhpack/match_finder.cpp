// The binary-tree match finder of the packer.
//
// The ring is seen as one line of bytes: the 4036 initial spaces, then the
// file. A source may lie anywhere in the 4096 bytes before the current one
// (distance 4095 reads the very slot about to be written, which still holds
// the byte 4096 back) but never before the spaces, so the ring slots 4036..4095
// are only read once this file has written them.
//
// Each hash bucket holds a binary search tree of the positions sharing it,
// ordered by their strings and heap-ordered by age: the newest is the root.
// Inserting a position walks down from the root and re-links the tree around
// the new root; every string met on the way that shares more bytes than any
// before it is the nearest source of that length.
#include "tools/lzhpack/match_finder.h"
#include "install/lzhuf_tree.h"
#include <string.h>

enum {
    InitialSpaces = LZHUF_N - LZHUF_F,     // 4036: also the first write position
    Window = LZHUF_N,                      // the farthest source is 4096 back
    TreeSlots = 2 * LZHUF_N,               // a power of two above the window
    HashBits = 16,
};
static const uint32_t NoPosition = 0xFFFFFFFFu;

struct MatchFinder {
    const uint8_t* Line;                    // spaces then the file
    uint32_t End;                           // length of Line
    std::vector<uint32_t> Head;             // newest position of each hash bucket
    std::vector<uint32_t> Below;            // [2 * (pos % TreeSlots)]: smaller string; +1: larger
};

static uint32_t HashAt(const uint8_t* s)
{
    uint32_t key = (uint32_t)s[0] << 16 | (uint32_t)s[1] << 8 | s[2];
    return (key * 2654435761u) >> (32 - HashBits);
}

// Puts position pos at the root of its tree; when out is given, appends the
// matches found on the way down.
static void InsertPosition(MatchFinder* finder, uint32_t pos, std::vector<LzhufMatch>* out)
{
    const uint8_t* line = finder->Line;
    uint32_t limit = finder->End - pos;
    if (limit > LZHUF_F)
        limit = LZHUF_F;
    if (limit <= LZHUF_THRESHOLD)
        return;                             // no match can start here
    uint32_t* below = finder->Below.data();
    uint32_t* head = &finder->Head[HashAt(line + pos)];
    uint32_t candidate = *head;
    *head = pos;
    uint32_t* smaller = &below[2 * (pos % TreeSlots)];     // where the next smaller string hangs
    uint32_t* larger = smaller + 1;
    uint32_t smallerLength = 0, largerLength = 0;           // bytes shared with those bounds
    uint32_t best = LZHUF_THRESHOLD;
    const uint8_t* current = line + pos;
    for (;;) {
        if (candidate == NoPosition || pos - candidate > Window) {
            *smaller = *larger = NoPosition;
            return;
        }
        uint32_t* pair = &below[2 * (candidate % TreeSlots)];
        const uint8_t* source = line + candidate;
        uint32_t length = smallerLength < largerLength ? smallerLength : largerLength;
        while (length < limit && source[length] == current[length])
            length++;
        if (length > best) {
            best = length;
            if (out)
                out->push_back({(uint16_t)length, (uint16_t)(pos - candidate - 1)});
        }
        if (length == limit) {
            // Equal as far as we look: the candidate gives its place to pos.
            *smaller = pair[0];
            *larger = pair[1];
            return;
        }
        if (source[length] < current[length]) {
            *smaller = candidate;
            smaller = &pair[1];
            candidate = *smaller;
            smallerLength = length;
        } else {
            *larger = candidate;
            larger = &pair[0];
            candidate = *larger;
            largerLength = length;
        }
    }
}

void FindLzhufMatches(const uint8_t* bytes, uint32_t size, LzhufMatchTable* table)
{
    std::vector<uint8_t> line(InitialSpaces + (size_t)size);
    memset(line.data(), ' ', InitialSpaces);
    if (size != 0)
        memcpy(line.data() + InitialSpaces, bytes, size);
    MatchFinder finder;
    finder.Line = line.data();
    finder.End = (uint32_t)line.size();
    finder.Head.assign((size_t)1 << HashBits, NoPosition);
    finder.Below.assign(2 * TreeSlots, NoPosition);

    // Every initial space lies within one window of the file's first byte.
    for (uint32_t pos = 0; pos < InitialSpaces; pos++)
        InsertPosition(&finder, pos, nullptr);
    table->First.assign((size_t)size + 1, 0);
    table->Matches.clear();
    table->Matches.reserve((size_t)size * 2);   // about 1.3 a byte in programs
    for (uint32_t i = 0; i < size; i++) {
        table->First[i] = (uint32_t)table->Matches.size();
        InsertPosition(&finder, InitialSpaces + i, &table->Matches);
    }
    table->First[size] = (uint32_t)table->Matches.size();
}
