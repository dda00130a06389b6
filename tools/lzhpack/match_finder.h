// For every position of a file, the matches that the LZHUF ring offers there:
// for each length the nearest source, found with a binary tree over the window.
#ifndef TOOLS_LZHPACK_MATCH_FINDER_H
#define TOOLS_LZHPACK_MATCH_FINDER_H

#include <stdint.h>
#include <vector>

struct LzhufMatch {
    uint16_t Length;        // 3..60, never past the end of the file
    uint16_t Distance;      // 0..4095: the source is (r - Distance - 1) mod 4096
};

// Matches[First[i]] .. Matches[First[i + 1] - 1] are those of file position i,
// lengths rising; each is the nearest source for every length from just above
// the previous one's length up to its own.
struct LzhufMatchTable {
    std::vector<uint32_t> First;
    std::vector<LzhufMatch> Matches;
};

void FindLzhufMatches(const uint8_t* bytes, uint32_t size, LzhufMatchTable* table);

#endif
