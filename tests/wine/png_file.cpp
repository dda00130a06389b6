// Writes an RGB picture as a PNG file.
#include "png_file.h"
#include <stdio.h>

static uint32_t Crc32(const uint8_t* bytes, size_t count, uint32_t crc = 0)
{
    crc = ~crc;
    for (size_t i = 0; i < count; i++) {
        crc ^= bytes[i];
        for (int bit = 0; bit < 8; bit++)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

static uint32_t Adler32(const std::vector<uint8_t>& bytes)
{
    uint32_t a = 1, b = 0;
    for (uint8_t byte : bytes) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

struct BitWriter {
    std::vector<uint8_t> Bytes;
    uint32_t Pending = 0;
    int PendingBits = 0;
};

static void PutBits(BitWriter& out, uint32_t value, int count)     // least significant first
{
    out.Pending |= value << out.PendingBits;
    out.PendingBits += count;
    while (out.PendingBits >= 8) {
        out.Bytes.push_back((uint8_t)out.Pending);
        out.Pending >>= 8;
        out.PendingBits -= 8;
    }
}

static void PutCode(BitWriter& out, uint32_t code, int count)      // Huffman codes: most significant first
{
    uint32_t reversed = 0;
    for (int i = 0; i < count; i++)
        reversed |= ((code >> i) & 1) << (count - 1 - i);
    PutBits(out, reversed, count);
}

// The fixed literal/length code of one symbol (0..287).
static void PutSymbol(BitWriter& out, int symbol)
{
    if (symbol < 144)
        PutCode(out, 0x30 + symbol, 8);
    else if (symbol < 256)
        PutCode(out, 0x190 + symbol - 144, 9);
    else if (symbol < 280)
        PutCode(out, symbol - 256, 7);
    else
        PutCode(out, 0xC0 + symbol - 280, 8);
}

// A run of length bytes that repeat the byte before them: distance 1.
static void PutRun(BitWriter& out, int length)
{
    static const int base[] = {3, 4, 5, 6, 7, 8, 9, 10, 11, 13, 15, 17, 19, 23, 27, 31,
                               35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
    static const int extra[] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2,
                                3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
    int code = 28;
    while (base[code] > length)
        code--;
    PutSymbol(out, 257 + code);
    PutBits(out, length - base[code], extra[code]);
    PutCode(out, 0, 5);     // distance code 0: distance 1
}

static std::vector<uint8_t> Deflate(const std::vector<uint8_t>& data)
{
    BitWriter out;
    out.Bytes = {0x78, 0x01};
    PutBits(out, 1, 1);     // the last block
    PutBits(out, 1, 2);     // fixed Huffman codes
    for (size_t at = 0; at < data.size();) {
        size_t run = 0;
        while (at > 0 && at + run < data.size() && run < 258 && data[at + run] == data[at - 1])
            run++;
        if (run >= 3) {
            PutRun(out, (int)run);
            at += run;
        } else {
            PutSymbol(out, data[at++]);
        }
    }
    PutSymbol(out, 256);
    if (out.PendingBits > 0)
        PutBits(out, 0, 8 - out.PendingBits);     // to a byte boundary
    uint32_t adler = Adler32(data);
    for (int shift = 24; shift >= 0; shift -= 8)
        out.Bytes.push_back((uint8_t)(adler >> shift));
    return out.Bytes;
}

static void PutChunk(std::vector<uint8_t>& png, const char* type, const std::vector<uint8_t>& body)
{
    uint32_t length = (uint32_t)body.size();
    for (int shift = 24; shift >= 0; shift -= 8)
        png.push_back((uint8_t)(length >> shift));
    size_t typeAt = png.size();
    png.insert(png.end(), type, type + 4);
    png.insert(png.end(), body.begin(), body.end());
    uint32_t crc = Crc32(&png[typeAt], 4 + body.size());
    for (int shift = 24; shift >= 0; shift -= 8)
        png.push_back((uint8_t)(crc >> shift));
}

std::vector<uint8_t> EncodePng(int width, int height, const std::vector<uint32_t>& pixels)
{
    // Each row: filter 1 (each byte less the same colour byte of the pixel to
    // its left), so flat areas become runs of zeros.
    std::vector<uint8_t> rows;
    rows.reserve((size_t)height * (width * 3 + 1));
    for (int y = 0; y < height; y++) {
        rows.push_back(1);
        uint32_t left = 0;
        for (int x = 0; x < width; x++) {
            uint32_t pixel = pixels[(size_t)y * width + x];
            for (int shift = 16; shift >= 0; shift -= 8)
                rows.push_back((uint8_t)((pixel >> shift) - (left >> shift)));
            left = pixel;
        }
    }
    std::vector<uint8_t> header = {
        (uint8_t)(width >> 24), (uint8_t)(width >> 16), (uint8_t)(width >> 8), (uint8_t)width,
        (uint8_t)(height >> 24), (uint8_t)(height >> 16), (uint8_t)(height >> 8), (uint8_t)height,
        8, 2, 0, 0, 0,      // 8 bits per sample, RGB, deflate, filtered rows, not interlaced
    };
    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", Deflate(rows));
    PutChunk(png, "IEND", {});
    return png;
}

bool WritePngFile(const std::string& path, int width, int height, const std::vector<uint32_t>& pixels)
{
    std::vector<uint8_t> png = EncodePng(width, height, pixels);
    FILE* file = fopen(path.c_str(), "wb");
    if (!file)
        return false;
    bool written = fwrite(png.data(), 1, png.size(), file) == png.size();
    return fclose(file) == 0 && written;
}
