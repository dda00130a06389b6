// Writes an RGB picture as a PNG file: filtered rows, deflated with the fixed
// Huffman codes and runs of repeated bytes, which is all a screen capture needs.
#ifndef WINE_TESTS_PNG_FILE_H
#define WINE_TESTS_PNG_FILE_H

#include <stdint.h>
#include <string>
#include <vector>

// pixels: 0x00RRGGBB, width × height, rows from the top.
bool WritePngFile(const std::string& path, int width, int height, const std::vector<uint32_t>& pixels);

// The same PNG as bytes in memory.
std::vector<uint8_t> EncodePng(int width, int height, const std::vector<uint32_t>& pixels);

#endif
