// The LZHUF decoder and its tree model: the known streams, the block hand-out, the
// moment of the rebuild, the ring across files, and streams that break the rules.
#include <gtest/gtest.h>
#include <dirent.h>
#include <stdio.h>
#include <string.h>
#include <sys/mman.h>
#include <unistd.h>
#include <algorithm>
#include <random>
#include <string>
#include <vector>
#include "install/lzhuf_core.h"
#include "install/lzhuf_tree.h"
#include "tests/host/lzhuf_reference.h"

typedef std::vector<uint8_t> Bytes;

static Bytes ReadVector(const std::string& name)
{
    Bytes bytes;
    FILE* file = fopen((std::string(LZHUF_VECTORS_DIR) + "/" + name).c_str(), "rb");
    if (!file) {
        ADD_FAILURE() << "cannot read " << name << " in " << LZHUF_VECTORS_DIR;
        return bytes;
    }
    uint8_t chunk[65536];
    size_t got;
    while ((got = fread(chunk, 1, sizeof chunk, file)) > 0)
        bytes.insert(bytes.end(), chunk, chunk + got);
    fclose(file);
    return bytes;
}

// The packed bytes end right where an unreadable page begins, so a read past
// the packed size faults, sanitizers or not.
struct GuardedInput {
    uint8_t* Mapping;
    size_t MappingSize;
    const uint8_t* Bytes;

    explicit GuardedInput(const ::Bytes& packed)
    {
        size_t page = (size_t)sysconf(_SC_PAGESIZE);
        size_t readable = (packed.size() + page - 1) / page * page;
        MappingSize = readable + page;
        Mapping = (uint8_t*)mmap(nullptr, MappingSize, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (Mapping == MAP_FAILED)
            abort();
        mprotect(Mapping + readable, page, PROT_NONE);
        uint8_t* start = Mapping + readable - packed.size();
        if (!packed.empty())
            memcpy(start, packed.data(), packed.size());
        Bytes = start;
    }
    ~GuardedInput() { munmap(Mapping, MappingSize); }
};

struct Unpacked {
    Bytes Output;
    std::vector<uint32_t> Writes;           // the size of every block handed out
};

static void RecordBlock(void* context, const uint8_t* bytes, uint32_t count)
{
    Unpacked* unpacked = (Unpacked*)context;
    unpacked->Output.insert(unpacked->Output.end(), bytes, bytes + count);
    unpacked->Writes.push_back(count);
}

static Unpacked Unpack(const Bytes& packed, uint32_t fileSize)
{
    GuardedInput input(packed);
    Unpacked unpacked;
    LzhufDecode(input.Bytes, (uint32_t)packed.size(), fileSize, RecordBlock, &unpacked);
    return unpacked;
}

// Blocks of exactly 1024 bytes and one final block of the rest, nothing for 0.
static std::vector<uint32_t> ExpectedWrites(uint32_t fileSize)
{
    std::vector<uint32_t> writes(fileSize / LZHUF_BLOCK, LZHUF_BLOCK);
    if (fileSize % LZHUF_BLOCK != 0)
        writes.push_back(fileSize % LZHUF_BLOCK);
    return writes;
}

// Writes streams symbol by symbol through the shared tree model, rules or no rules.
struct TestStream {
    LzhufTree Tree;
    Bytes Packed;
    uint32_t Pending = 0;
    int PendingCount = 0;

    TestStream() { StartLzhufTree(&Tree); }
    void Put(uint32_t bits, int count)
    {
        for (int i = count - 1; i >= 0; i--) {
            Pending = Pending << 1 | (bits >> i & 1);
            if (++PendingCount == 8) {
                Packed.push_back((uint8_t)Pending);
                Pending = 0;
                PendingCount = 0;
            }
        }
    }
    void Symbol(int symbol)
    {
        std::vector<int> path;              // a second (odd) child is a 1, read from the leaf up
        for (int node = Tree.Parent[LZHUF_T + symbol]; node != LZHUF_R; node = Tree.Parent[node])
            path.push_back(node & 1);
        for (size_t i = path.size(); i-- > 0;)
            Put((uint32_t)path[i], 1);
        UpdateLzhufTree(&Tree, symbol);
    }
    TestStream& Literal(uint8_t byte)
    {
        Symbol(byte);
        return *this;
    }
    TestStream& Match(int length, int distance)
    {
        // [first value, code length, first code] of each group of the position code
        static const int groups[6][3] = {{0, 3, 0x0}, {1, 4, 0x2}, {4, 5, 0xA}, {12, 6, 0x24}, {24, 7, 0x60}, {48, 8, 0xF0}};
        Symbol(256 - LZHUF_THRESHOLD - 1 + length);
        int upper = distance >> 6, g = 5;
        while (upper < groups[g][0])
            g--;
        Put((uint32_t)(groups[g][2] + upper - groups[g][0]), groups[g][1]);
        Put((uint32_t)distance & 63, 6);
        return *this;
    }
    Bytes Finish()
    {
        if (PendingCount != 0)
            Put(0, 8 - PendingCount);
        return Packed;
    }
};

TEST(LzhufDecode, ShortStreamsGiveTheirBytes)
{
    const struct { const char* name; Bytes packed; uint32_t fileSize; Bytes output; } cases[] = {
        {"one literal", {0xF6, 0x80}, 1, {0x61}},
        {"three literals", {0xF6, 0xFB, 0xBD, 0xE0}, 3, {'a', 'b', 'c'}},
        {"a match copying the initial spaces", {0x93, 0x00, 0x00}, 10, Bytes(10, ' ')},
        {"a match copying its own output", {0xF6, 0xC9, 0x00, 0x00}, 10, Bytes(10, 0x61)},
        {"the spaces stream cut after one byte", {0x93}, 10, Bytes(10, ' ')},
        {"the self-copy stream cut after two bytes", {0xF6, 0xC9}, 10, Bytes(10, 0x61)},
    };
    for (const auto& c : cases) {
        Unpacked unpacked = Unpack(c.packed, c.fileSize);
        EXPECT_EQ(c.output, unpacked.Output) << c.name;
        EXPECT_EQ(ExpectedWrites(c.fileSize), unpacked.Writes) << c.name;
    }
}

TEST(LzhufDecode, WritesBlocksOf1024ThenTheRest)
{
    const struct { const char* name; std::vector<uint32_t> writes; } cases[] = {
        {"size1023.txt", {1023}},
        {"size1024.txt", {1024}},
        {"size1025.txt", {1024, 1}},
    };
    for (const auto& c : cases) {
        Bytes original = ReadVector(c.name);
        Unpacked unpacked = Unpack(ReadVector(std::string(c.name) + ".lzh"), (uint32_t)original.size());
        EXPECT_EQ(c.writes, unpacked.Writes) << c.name;
        EXPECT_EQ(original, unpacked.Output) << c.name;
    }
}

TEST(LzhufDecode, EveryVectorUnpacksToItsOriginal)
{
    std::vector<std::string> names;
    if (DIR* folder = opendir(LZHUF_VECTORS_DIR)) {
        while (dirent* entry = readdir(folder)) {
            std::string name = entry->d_name;
            if (name.size() > 4 && name.compare(name.size() - 4, 4, ".lzh") == 0)
                names.push_back(name.substr(0, name.size() - 4));
        }
        closedir(folder);
    }
    std::sort(names.begin(), names.end());
    ASSERT_GE(names.size(), 11u) << "streams in " << LZHUF_VECTORS_DIR;
    ASSERT_TRUE(std::find(names.begin(), names.end(), "empty.bin") != names.end());
    for (const std::string& name : names) {
        Bytes original = ReadVector(name);
        Unpacked unpacked = Unpack(ReadVector(name + ".lzh"), (uint32_t)original.size());
        EXPECT_TRUE(original == unpacked.Output) << name << ": " << unpacked.Output.size() << " bytes out of " << original.size();
        EXPECT_EQ(ExpectedWrites((uint32_t)original.size()), unpacked.Writes) << name;
    }
}

// Symbols drawn so that some grow common and the tree keeps reordering.
static std::vector<int> SkewedSymbols(size_t count, unsigned seed)
{
    std::mt19937 random(seed);
    std::geometric_distribution<int> skew(0.02);
    std::vector<int> symbols(count);
    for (int& s : symbols)
        s = (skew(random) * 37 + (int)(random() % 3)) % LZHUF_N_CHAR;
    return symbols;
}

TEST(LzhufTree, FollowsTheModelThroughRebuilds)
{
    static LzhufTree tree;
    static ReferenceLzhuf model;
    StartLzhufTree(&tree);
    model.StartTree();
    std::vector<int> symbols = SkewedSymbols(120000, 7);
    int rebuilds = 0;
    for (size_t n = 0; n < symbols.size(); n++) {
        rebuilds += tree.Freq[LZHUF_R] == LZHUF_MAX_FREQ;
        UpdateLzhufTree(&tree, symbols[n]);
        model.UpdateTree(symbols[n]);
        bool same = memcmp(tree.Freq, model.Freq, sizeof tree.Freq) == 0 &&
                    memcmp(tree.Child, model.Child, sizeof tree.Child) == 0 &&
                    memcmp(tree.Parent, model.Parent, sizeof tree.Parent) == 0;
        ASSERT_TRUE(same) << "after update " << n + 1 << " (symbol " << symbols[n] << ")";
    }
    EXPECT_GE(rebuilds, 5);
}

TEST(LzhufTree, RebuildsInTheUpdateThatFindsTheRootFull)
{
    static LzhufTree tree;
    StartLzhufTree(&tree);
    std::vector<int> symbols = SkewedSymbols(32455, 11);
    for (int n = 0; n < 32454; n++)
        UpdateLzhufTree(&tree, symbols[n]);
    EXPECT_EQ(LZHUF_MAX_FREQ, tree.Freq[LZHUF_R]) << "root after 32454 updates, not rebuilt yet";
    UpdateLzhufTree(&tree, symbols[32454]);
    EXPECT_LT(tree.Freq[LZHUF_R], LZHUF_MAX_FREQ / 2 + LZHUF_N_CHAR) << "root after the 32455th update: halved";
}

TEST(LzhufDecode, VectorsWithRebuildsTellTheMomentOfTheRebuild)
{
    const struct { const char* name; uint16_t rebuildAt; bool original; } cases[] = {
        {"text.txt", 0x8000, true}, {"text.txt", 0x7FFF, false}, {"text.txt", 0x8001, false},
        {"skewed.bin", 0x8000, true}, {"skewed.bin", 0x7FFF, false}, {"skewed.bin", 0x8001, false},
    };
    static ReferenceLzhuf model;
    for (const auto& c : cases) {
        Bytes original = ReadVector(c.name);
        Bytes packed = ReadVector(std::string(c.name) + ".lzh");
        model.RebuildAt = c.rebuildAt;
        Bytes output = model.Decode(packed.data(), (uint32_t)packed.size(), (uint32_t)original.size());
        EXPECT_EQ(c.original, output == original) << c.name << " rebuilt at root 0x" << std::hex << c.rebuildAt;
    }
    model.RebuildAt = 0x8000;
}

TEST(LzhufDecode, SameBytesWhateverCameBefore)
{
    const char* names[] = {"text.txt", "matches.bin", "run100000.bin"};
    const struct { const char* name; uint8_t tail; } befores[] = {
        {"first file of the run", 0x00}, {"after a file of 0xFF bytes", 0xFF}, {"after a file of spaces", 0x20},
    };
    for (const char* name : names) {
        Bytes original = ReadVector(name);
        Bytes packed = ReadVector(std::string(name) + ".lzh");
        for (const auto& before : befores) {
            memset(Lzhuf.Ring + LZHUF_N - LZHUF_F, before.tail, LZHUF_F);
            EXPECT_TRUE(original == Unpack(packed, (uint32_t)original.size()).Output) << name << ", " << before.name;
        }
    }
}

TEST(LzhufDecode, RingTailKeepsThePreviousFilesLastBytes)
{
    Bytes all256 = ReadVector("all256.bin");        // 0..255 over and over: byte i is i mod 256
    Unpack(ReadVector("all256.bin.lzh"), (uint32_t)all256.size());
    // A stream against the rules: its first match reaches back into positions 4036..4095.
    Bytes intoTheTail = TestStream().Match(LZHUF_F, LZHUF_N - 1).Finish();
    Bytes expected(LZHUF_F);
    for (int j = 0; j < LZHUF_F; j++)
        expected[j] = all256[(LZHUF_N + j) % all256.size()];   // the last write to position 4036 + j
    EXPECT_EQ(expected, Unpack(intoTheTail, LZHUF_F).Output);
}

static Bytes TwentyMatches()
{
    TestStream stream;
    stream.Literal('x');
    for (int n = 0; n < 20; n++)
        stream.Match(LZHUF_F, 0);
    return stream.Finish();
}

TEST(LzhufDecode, StreamsAgainstTheRulesEndAtTheFileSize)
{
    Bytes text = ReadVector("text.txt");
    Bytes textPacked = ReadVector("text.txt.lzh");
    std::mt19937 random(5);
    Bytes garbage(6000);
    for (uint8_t& b : garbage)
        b = (uint8_t)random();
    const struct { const char* name; Bytes packed; uint32_t fileSize; Bytes output; } cases[] = {
        {"a match past the end", TestStream().Literal('a').Match(60, 0).Finish(), 10, Bytes(10, 'a')},
        {"a match one byte past the end", TestStream().Literal('a').Literal('b').Match(3, 1).Finish(), 4, {'a', 'b', 'a', 'b'}},
        {"a match past the end of the second block", TwentyMatches(), 1100, Bytes(1100, 'x')},
        {"file size 0 with a stream", textPacked, 0, {}},
        {"file size 0, nothing packed", {}, 0, {}},
        {"nothing packed: all zero bits", {}, 1025, {}},
        {"a whole stream cut short", Bytes(textPacked.begin(), textPacked.begin() + 1000), 5000, {}},
        {"garbage", garbage, 70000, {}},
        {"garbage, one byte", Bytes(garbage.begin(), garbage.begin() + 1), 1024, {}},
        {"garbage, nothing to make", garbage, 0, {}},
    };
    static ReferenceLzhuf model;
    for (const auto& c : cases) {
        memcpy(model.Ring, Lzhuf.Ring, sizeof model.Ring);       // the same bytes left from before
        Bytes modelOutput = model.Decode(c.packed.data(), (uint32_t)c.packed.size(), c.fileSize);
        Unpacked unpacked = Unpack(c.packed, c.fileSize);
        EXPECT_EQ(c.fileSize, unpacked.Output.size()) << c.name;
        EXPECT_EQ(ExpectedWrites(c.fileSize), unpacked.Writes) << c.name;
        EXPECT_TRUE(modelOutput == unpacked.Output) << c.name;
        if (!c.output.empty()) {
            EXPECT_EQ(c.output, unpacked.Output) << c.name;
        }
    }
    // What a stream cut short still gets right: the bytes before the cut.
    Unpacked cut = Unpack(Bytes(textPacked.begin(), textPacked.begin() + 1000), (uint32_t)text.size());
    ASSERT_EQ(text.size(), cut.Output.size());
    EXPECT_TRUE(std::equal(text.begin(), text.begin() + 1500, cut.Output.begin())) << "the first 1500 bytes";
}

TEST(LzhufDecode, RandomStreamsAgreeWithTheModel)
{
    std::mt19937 random(9);
    static ReferenceLzhuf model;
    for (int n = 0; n < 300; n++) {
        Bytes packed(random() % 3000);
        for (uint8_t& b : packed)
            b = (uint8_t)(random() % 4 == 0 ? 0 : random());        // some zero runs: long matches
        uint32_t fileSize = random() % 5 == 0 ? random() % 8 : random() % 20000;
        memcpy(model.Ring, Lzhuf.Ring, sizeof model.Ring);
        Bytes modelOutput = model.Decode(packed.data(), (uint32_t)packed.size(), fileSize);
        Unpacked unpacked = Unpack(packed, fileSize);
        ASSERT_EQ(ExpectedWrites(fileSize), unpacked.Writes) << "stream " << n;
        ASSERT_TRUE(modelOutput == unpacked.Output) << "stream " << n << ": " << packed.size() << " bytes for " << fileSize;
    }
}
