// A literal LZHUF decoder for the tests and the fuzzer to hold the shipped one against:
// one bit at a time from a 16-bit buffer, with its own copy of the tree model.
#ifndef TESTS_HOST_LZHUF_REFERENCE_H
#define TESTS_HOST_LZHUF_REFERENCE_H

#include <stdint.h>
#include <string.h>
#include <vector>

struct ReferenceLzhuf {
    uint16_t Freq[628], Parent[941], Child[627];
    uint8_t Ring[4096] = {};
    uint16_t RebuildAt = 0x8000;            // the tests move it to show that the moment matters
    const uint8_t* Input;
    uint32_t InputLeft;
    uint16_t Buffer, Count;

    void Fill()
    {
        while (Count <= 8) {
            unsigned x = 0;
            if (InputLeft != 0) {
                x = *Input++;
                InputLeft--;
            }
            Buffer = (uint16_t)(Buffer | x << (8 - Count));
            Count = (uint16_t)(Count + 8);
        }
    }
    unsigned Bit()
    {
        Fill();
        unsigned b = Buffer >> 15;
        Buffer = (uint16_t)(Buffer << 1);
        Count--;
        return b;
    }
    unsigned Byte()
    {
        Fill();
        unsigned b = Buffer >> 8;
        Buffer = (uint16_t)(Buffer << 8);
        Count = (uint16_t)(Count - 8);
        return b;
    }

    void StartTree()
    {
        for (int s = 0; s < 314; s++) {
            Freq[s] = 1;
            Child[s] = (uint16_t)(s + 627);
            Parent[s + 627] = (uint16_t)s;
        }
        for (int i = 0, j = 314; j <= 626; i += 2, j++) {
            Freq[j] = (uint16_t)(Freq[i] + Freq[i + 1]);
            Child[j] = (uint16_t)i;
            Parent[i] = Parent[i + 1] = (uint16_t)j;
        }
        Freq[627] = 0xFFFF;
        Parent[626] = 0;
    }
    void RebuildTree()
    {
        int j = 0;
        for (int i = 0; i < 627; i++) {
            if (Child[i] >= 627) {
                Freq[j] = (uint16_t)((Freq[i] + 1) / 2);
                Child[j] = Child[i];
                j++;
            }
        }
        for (int i = 0, j = 314; j < 627; i += 2, j++) {
            unsigned f = Freq[j] = (uint16_t)(Freq[i] + Freq[i + 1]);
            int k = j - 1;
            while (f < Freq[k])
                k--;
            k++;
            for (int m = j; m > k; m--) {
                Freq[m] = Freq[m - 1];
                Child[m] = Child[m - 1];
            }
            Freq[k] = (uint16_t)f;
            Child[k] = (uint16_t)i;
        }
        for (int i = 0; i < 627; i++) {
            int k = Child[i];
            if (k >= 627)
                Parent[k] = (uint16_t)i;
            else
                Parent[k] = Parent[k + 1] = (uint16_t)i;
        }
    }
    void UpdateTree(int s)
    {
        if (Freq[626] == RebuildAt)
            RebuildTree();
        int p = Parent[s + 627];
        do {
            uint16_t k = ++Freq[p];
            if (k > Freq[p + 1]) {
                int l = p + 1;
                while (k > Freq[l + 1])
                    l++;
                Freq[p] = Freq[l];
                Freq[l] = k;
                int i = Child[p];
                Parent[i] = (uint16_t)l;
                if (i < 627)
                    Parent[i + 1] = (uint16_t)l;
                int j = Child[l];
                Child[l] = (uint16_t)i;
                Parent[j] = (uint16_t)p;
                if (j < 627)
                    Parent[j + 1] = (uint16_t)p;
                Child[p] = (uint16_t)j;
                p = l;
            }
            p = Parent[p];
        } while (p != 0);
    }

    unsigned Distance()
    {
        // The position code by its groups: [first value, code length, first 8-bit prefix].
        static const unsigned groups[7][3] = {
            {0, 3, 0x00}, {1, 4, 0x20}, {4, 5, 0x50}, {12, 6, 0x90}, {24, 7, 0xC0}, {48, 8, 0xF0}, {64, 0, 0x100},
        };
        unsigned v = Byte();
        int g = 0;
        while (v >= groups[g + 1][2])
            g++;
        unsigned length = groups[g][1];
        unsigned upper = groups[g][0] + ((v - groups[g][2]) >> (8 - length));
        for (unsigned i = 0; i < length - 2; i++)
            v = v * 2 + Bit();
        return upper << 6 | (v & 63);
    }

    // Unpacks one stream; a match that would run past fileSize is cut there.
    std::vector<uint8_t> Decode(const uint8_t* packed, uint32_t packedSize, uint32_t fileSize)
    {
        std::vector<uint8_t> out;
        out.reserve(fileSize);
        Input = packed;
        InputLeft = packedSize;
        Buffer = Count = 0;
        StartTree();
        memset(Ring, ' ', 4036);
        unsigned r = 4036;
        while (out.size() < fileSize) {
            unsigned p = Child[626];
            while (p < 627)
                p = Child[p + Bit()];
            int y = (int)p - 627;
            UpdateTree(y);
            if (y < 256) {
                out.push_back((uint8_t)y);
                Ring[r] = (uint8_t)y;
                r = (r + 1) & 4095;
                continue;
            }
            unsigned q = (r - Distance() - 1) & 4095;
            for (int n = y - 253; n > 0 && out.size() < fileSize; n--) {
                uint8_t x = Ring[q];
                q = (q + 1) & 4095;
                out.push_back(x);
                Ring[r] = x;
                r = (r + 1) & 4095;
            }
        }
        return out;
    }
};

#endif
