// Packs a file into a headerless LZHUF stream, choosing literals and matches
// by what they cost under the adaptive model as it stands.
#ifndef TOOLS_LZHPACK_LZHUF_PACK_H
#define TOOLS_LZHPACK_LZHUF_PACK_H

#include <stdint.h>
#include <vector>

// size must be at least 1: an empty file is stored, never packed.
void PackLzhuf(const uint8_t* bytes, uint32_t size, std::vector<uint8_t>* packed);

#endif
