// The packer: every stream unpacks exactly through the decoder core, keeps the
// rules of a conforming stream, is no larger than the published encoder's, and
// the command line fails cleanly.
#include <gtest/gtest.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <algorithm>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>
#include "install/lzhuf_core.h"
#include "tools/lzhpack/lzhuf_pack.h"
#include "tools/lzhpack/lzhuf_writer.h"
#include "tools/lzhpack/match_finder.h"
#include "tools/lzhpack/unpack_to_memory.h"

typedef std::vector<uint8_t> Bytes;

enum { FirstWrite = LZHUF_N - LZHUF_F };    // ring slots 0..4035 start as spaces

static Bytes ReadFile(const std::string& path)
{
    Bytes bytes;
    FILE* file = fopen(path.c_str(), "rb");
    if (!file)
        return bytes;
    int c;
    while ((c = fgetc(file)) != EOF)
        bytes.push_back((uint8_t)c);
    fclose(file);
    return bytes;
}

static bool FileExists(const std::string& path)
{
    struct stat status;
    return stat(path.c_str(), &status) == 0;
}

static Bytes Pack(const Bytes& bytes)
{
    Bytes packed;
    PackLzhuf(bytes.data(), (uint32_t)bytes.size(), &packed);
    return packed;
}

static Bytes Unpack(const Bytes& packed, size_t size)
{
    Bytes bytes;
    UnpackLzhufToMemory(packed.data(), (uint32_t)packed.size(), (uint32_t)size, &bytes);
    return bytes;
}

// Unpacks with ring slots 4036..4095 left holding bytes of an earlier file.
static Bytes UnpackAfterGarbage(const Bytes& packed, size_t size, uint8_t seed)
{
    for (int i = FirstWrite; i < LZHUF_N; i++)
        Lzhuf.Ring[i] = (uint8_t)(seed + 37 * i);
    return Unpack(packed, size);
}

// A stream read against the rules that a conforming stream keeps, with its own
// bit reader and position code, and counts of what it exercised.
struct StreamWalk {
    std::string Fault;                      // the first broken rule; empty if none
    uint32_t Symbols = 0;
    uint32_t Matches = 0;
    uint32_t TopDistances = 0;              // matches at distances 4036..4095
    uint32_t WrappedSources = 0;            // sources that run over ring slot 4095 to 0
    uint32_t SpaceCopies = 0;               // matches that read an initial space
    uint32_t SelfOverlaps = 0;              // matches that read bytes they write themselves
    bool EndsWithMatch = false;
};

static StreamWalk WalkStream(const Bytes& packed, uint32_t fileSize)
{
    StreamWalk walk;
    size_t bit = 0, bitEnd = packed.size() * 8;
    bool overrun = false;
    auto next = [&]() -> uint32_t {
        if (bit >= bitEnd) {
            overrun = true;
            return 0;
        }
        uint32_t b = packed[bit >> 3] >> (7 - (bit & 7)) & 1;
        bit++;
        return b;
    };
    // The position code by groups: code length, first code, number of values.
    const struct { int Length; uint32_t First; uint32_t Count; } groups[] = {
        {3, 0, 1}, {4, 2, 3}, {5, 10, 8}, {6, 36, 12}, {7, 96, 24}, {8, 240, 16},
    };
    LzhufTree tree;
    StartLzhufTree(&tree);
    bool readable[LZHUF_N], space[LZHUF_N];
    for (int i = 0; i < LZHUF_N; i++)
        readable[i] = space[i] = i < FirstWrite;
    uint32_t r = FirstWrite, done = 0;
    auto fail = [&](const std::string& why) {
        walk.Fault = why + " (symbol " + std::to_string(walk.Symbols) + ", byte " + std::to_string(done) + ")";
    };
    while (done < fileSize && walk.Fault.empty()) {
        int p = tree.Child[LZHUF_R];
        while (p < LZHUF_T)
            p = tree.Child[p + next()];
        int symbol = p - LZHUF_T;
        UpdateLzhufTree(&tree, symbol);
        walk.Symbols++;
        if (symbol < 256) {
            readable[r] = true;
            space[r] = false;
            r = (r + 1) % LZHUF_N;
            done++;
            walk.EndsWithMatch = false;
            continue;
        }
        uint32_t length = (uint32_t)symbol - 253, v = 0, upper = 0, base = 0;
        int got = 0;
        for (const auto& g : groups) {
            for (; got < g.Length; got++)
                v = 2 * v + next();
            if (v - g.First < g.Count) {
                upper = base + (v - g.First);
                break;
            }
            base += g.Count;
        }
        uint32_t distance = upper << 6;
        for (int i = 5; i >= 0; i--)
            distance |= next() << i;
        if (length > fileSize - done) {
            fail("a match of " + std::to_string(length) + " runs past the end");
            break;
        }
        walk.Matches++;
        walk.EndsWithMatch = true;
        walk.TopDistances += distance >= FirstWrite;
        walk.SelfOverlaps += distance + 1 < length;
        uint32_t q = (r - distance - 1) % LZHUF_N;
        walk.WrappedSources += q + length > LZHUF_N;
        bool readSpace = false;
        for (uint32_t k = 0; k < length; k++) {
            if (!readable[q]) {
                fail("reads ring slot " + std::to_string(q) + " before this file wrote it");
                break;
            }
            readSpace |= space[q];
            readable[r] = true;
            space[r] = false;
            r = (r + 1) % LZHUF_N;
            q = (q + 1) % LZHUF_N;
            done++;
        }
        walk.SpaceCopies += readSpace;
    }
    if (!walk.Fault.empty())
        return walk;
    if (overrun) {
        fail("reads past the end of the stream");
    } else if ((bit + 7) / 8 != packed.size()) {
        fail(std::to_string(packed.size()) + " bytes, but the symbols end in byte " + std::to_string((bit + 7) / 8));
    } else {
        while (bit < bitEnd) {
            if (next() != 0) {
                fail("the last byte is not completed with zero bits");
                break;
            }
        }
    }
    return walk;
}

// Fixed seeds: the same bytes on every run.
static Bytes RandomBytes(size_t size, uint32_t seed)
{
    std::mt19937 random(seed);
    Bytes bytes(size);
    for (auto& b : bytes)
        b = (uint8_t)random();
    return bytes;
}

// Appends count bytes copied from distance back, byte by byte as the decoder would.
static void AppendCopy(Bytes* bytes, size_t distance, size_t count)
{
    for (size_t i = 0; i < count; i++)
        bytes->push_back((*bytes)[bytes->size() - distance - 1]);
}

struct EdgeCase {
    const char* Name;
    std::function<Bytes()> Make;
    std::function<bool(const StreamWalk&)> Exercised;      // what the case is there for
};

static const std::vector<EdgeCase>& EdgeCases()
{
    static const std::vector<EdgeCase> cases = {
        {"one byte", [] { return Bytes{0x61}; },
         [](const StreamWalk& w) { return w.Symbols == 1 && w.Matches == 0; }},
        {"two bytes, shorter than any match", [] { return Bytes{'a', 'a'}; },
         [](const StreamWalk& w) { return w.Matches == 0; }},
        {"three spaces, one match from the initial spaces", [] { return Bytes(3, ' '); },
         [](const StreamWalk& w) { return w.Matches == 1 && w.SpaceCopies == 1; }},
        {"indented text copies from the initial spaces", [] {
             std::string text;
             for (int i = 0; i < 40; i++)
                 text += "    Line " + std::to_string(i) + " of an indented paragraph.\r\n";
             return Bytes(text.begin(), text.end());
         },
         [](const StreamWalk& w) { return w.SpaceCopies >= 1; }},
        {"a run of one byte, copies at distance 0", [] { return Bytes(10000, 'a'); },
         [](const StreamWalk& w) { return w.SelfOverlaps >= 100; }},
        {"distances 4036..4095 only", [] {
             Bytes bytes = RandomBytes(6000, 1);
             for (size_t distance : {4036, 4050, 4094, 4095}) {
                 AppendCopy(&bytes, distance, 50);
                 bytes.push_back('|');
             }
             return bytes;
         },
         [](const StreamWalk& w) { return w.TopDistances >= 4; }},
        {"sources over the ring's wrap", [] {
             Bytes bytes = RandomBytes(300, 2);
             for (size_t i = 40; i < 100; i++)       // file bytes 59 and 60 lie in ring slots 4095 and 0
                 bytes.push_back(bytes[i]);
             Bytes far = RandomBytes(6000, 3);
             bytes.insert(bytes.end(), far.begin(), far.end());
             for (size_t i = 4120; i < 4190; i++)    // and file bytes 4155 and 4156 again
                 bytes.push_back(bytes[i]);
             return bytes;
         },
         [](const StreamWalk& w) { return w.WrappedSources >= 2; }},
        {"a repeat cut short by the end of the file", [] {
             Bytes bytes = RandomBytes(500, 4);
             AppendCopy(&bytes, 499, 200);
             return bytes;
         },
         [](const StreamWalk& w) { return w.EndsWithMatch; }},
        {"every byte value", [] {
             Bytes bytes;
             for (int round = 0; round < 4; round++)
                 for (int b = 0; b < 256; b++)
                     bytes.push_back((uint8_t)b);
             return bytes;
         },
         [](const StreamWalk& w) { return w.Matches >= 1; }},
        {"more than 32454 symbols, so the tree rebuilds twice", [] { return RandomBytes(70000, 5); },
         [](const StreamWalk& w) { return w.Symbols > 2 * 32454; }},
    };
    return cases;
}

static const char* const Vectors[] = {
    "one.bin", "abc.txt", "size1023.txt", "size1024.txt", "size1025.txt", "text.txt",
    "all256.bin", "matches.bin", "skewed.bin", "run100000.bin",
};

static std::string VectorPath(const char* name)
{
    return std::string(LZHUF_VECTORS_DIR) + "/" + name;
}

TEST(LzhufMatchFinder, NearestSourceForEveryLength)
{
    // Few letters and some spaces: many matches of every length, more than a
    // window long, so the far edge of the window and the initial spaces count.
    std::mt19937 random(6);
    Bytes bytes;
    while (bytes.size() < 6000) {
        if (random() % 50 == 0 && bytes.size() > 100)
            AppendCopy(&bytes, random() % 100, 20 + random() % 60);
        else
            bytes.push_back("ab  "[random() % 4]);
    }
    LzhufMatchTable table;
    FindLzhufMatches(bytes.data(), (uint32_t)bytes.size(), &table);

    Bytes line(FirstWrite, ' ');
    line.insert(line.end(), bytes.begin(), bytes.end());
    for (size_t i = 0; i < bytes.size(); i++) {
        size_t pos = FirstWrite + i, limit = std::min<size_t>(LZHUF_F, bytes.size() - i);
        // Nearest distance for each length, by trying every source in the window.
        int nearest[LZHUF_F + 1];
        std::fill(nearest, nearest + LZHUF_F + 1, -1);
        size_t covered = LZHUF_THRESHOLD;
        for (size_t d = 0; d < LZHUF_N && d + 1 <= pos && covered < limit; d++) {
            size_t source = pos - d - 1, length = 0;
            while (length < limit && line[source + length] == line[pos + length])
                length++;
            for (; covered < length; covered++)
                nearest[covered + 1] = (int)d;
        }
        int found[LZHUF_F + 1];
        std::fill(found, found + LZHUF_F + 1, -1);
        size_t length = LZHUF_THRESHOLD + 1;
        for (uint32_t m = table.First[i]; m < table.First[i + 1]; m++)
            for (; length <= table.Matches[m].Length; length++)
                found[length] = table.Matches[m].Distance;
        for (size_t l = LZHUF_THRESHOLD + 1; l <= LZHUF_F; l++)
            ASSERT_EQ(nearest[l], found[l]) << "byte " << i << ", length " << l;
    }
}

TEST(LzhpackRoundTrip, EdgeCasesUnpackExactlyAndKeepTheRules)
{
    for (const auto& c : EdgeCases()) {
        Bytes bytes = c.Make();
        Bytes packed = Pack(bytes);
        EXPECT_EQ(bytes, Unpack(packed, bytes.size())) << c.Name;
        StreamWalk walk = WalkStream(packed, (uint32_t)bytes.size());
        EXPECT_EQ("", walk.Fault) << c.Name;
        EXPECT_TRUE(c.Exercised(walk)) << c.Name << ": the stream does not exercise what the case is for ("
                                       << walk.Symbols << " symbols, " << walk.Matches << " matches)";
    }
}

TEST(LzhpackRoundTrip, VectorsUnpackExactlyAndKeepTheRules)
{
    for (const char* name : Vectors) {
        Bytes bytes = ReadFile(VectorPath(name));
        ASSERT_FALSE(bytes.empty()) << name << " missing";
        Bytes packed = Pack(bytes);
        EXPECT_EQ(bytes, Unpack(packed, bytes.size())) << name;
        EXPECT_EQ("", WalkStream(packed, (uint32_t)bytes.size()).Fault) << name;
    }
}

TEST(LzhpackRatio, NoVectorPacksLargerThanThePublishedStream)
{
    for (const char* name : Vectors) {
        Bytes bytes = ReadFile(VectorPath(name));
        Bytes published = ReadFile(VectorPath(name) + ".lzh");
        ASSERT_FALSE(published.empty()) << name << ".lzh missing";
        Bytes packed = Pack(bytes);
        EXPECT_LE(packed.size(), published.size()) << name;
    }
}

TEST(LzhpackStreamRules, OutputDoesNotDependOnTheRingTop)
{
    // The check itself: a stream that reads slot 4036 at once does depend on it.
    Bytes broken;
    LzhufWriter writer;
    StartLzhufWriter(&writer, &broken);
    WriteLzhufMatch(&writer, 3, LZHUF_N - 1);
    FinishLzhufWriter(&writer);
    ASSERT_NE(UnpackAfterGarbage(broken, 3, 1), UnpackAfterGarbage(broken, 3, 2))
        << "filling slots 4036..4095 reaches the decoder";

    std::vector<std::pair<std::string, Bytes>> files;
    for (const auto& c : EdgeCases())
        files.push_back({c.Name, c.Make()});
    for (const char* name : Vectors)
        files.push_back({name, ReadFile(VectorPath(name))});
    for (const auto& file : files) {
        Bytes packed = Pack(file.second);
        for (uint8_t seed : {0x00, 0x5A, 0xFF})
            EXPECT_EQ(file.second, UnpackAfterGarbage(packed, file.second.size(), seed))
                << file.first << ", ring top seeded " << (int)seed;
    }
}

TEST(LzhpackStreamRules, TheWalkCatchesBrokenStreams)
{
    struct Broken {
        const char* Name;
        std::function<void(LzhufWriter*)> Write;
        uint32_t FileSize;
        std::function<void(Bytes*)> Spoil;
        const char* Fault;
    };
    const Broken cases[] = {
        {"reads the ring top", [](LzhufWriter* w) { WriteLzhufMatch(w, 3, LZHUF_N - 1); }, 3,
         [](Bytes*) {}, "before this file wrote it"},
        {"match past the end", [](LzhufWriter* w) { WriteLzhufMatch(w, 10, 0); }, 5,
         [](Bytes*) {}, "runs past the end"},
        {"extra byte", [](LzhufWriter* w) { WriteLzhufLiteral(w, 'a'); }, 1,
         [](Bytes* b) { b->push_back(0); }, "symbols end in byte"},
        {"padding not zero", [](LzhufWriter* w) { WriteLzhufLiteral(w, 'a'); }, 1,
         [](Bytes* b) { b->back() |= 1; }, "zero bits"},
        {"stream cut short", [](LzhufWriter* w) { WriteLzhufLiteral(w, 'a'); WriteLzhufLiteral(w, 'b'); }, 2,
         [](Bytes* b) { b->pop_back(); }, "past the end of the stream"},
    };
    for (const auto& c : cases) {
        Bytes packed;
        LzhufWriter writer;
        StartLzhufWriter(&writer, &packed);
        c.Write(&writer);
        FinishLzhufWriter(&writer);
        c.Spoil(&packed);
        EXPECT_NE(std::string::npos, WalkStream(packed, c.FileSize).Fault.find(c.Fault))
            << c.Name << ": " << WalkStream(packed, c.FileSize).Fault;
    }
}

// The command line, run as a user would run it.
class LzhpackCommand : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/lzhpack_test.XXXXXX";
        ASSERT_NE(nullptr, mkdtemp(pattern));
        Folder = pattern;
        Text = Folder + "/text.txt";
        Bytes text = ReadFile(VectorPath("text.txt"));
        WriteFile(Text, text);
        WriteFile(Folder + "/empty", Bytes());
        WriteFile(Folder + "/text.lzh", Pack(text));
    }
    void TearDown() override { std::filesystem::remove_all(Folder); }

    static void WriteFile(const std::string& path, const Bytes& bytes)
    {
        FILE* file = fopen(path.c_str(), "wb");
        ASSERT_NE(nullptr, file) << path;
        if (!bytes.empty()) {
            ASSERT_EQ(bytes.size(), fwrite(bytes.data(), 1, bytes.size(), file));
        }
        fclose(file);
    }

    // Runs lzhpack with the arguments (already quoted where needed); gives its exit code.
    int Run(const std::string& arguments)
    {
        std::string command = std::string("'") + LZHPACK_PATH + "' " + arguments + " 2>'" + Folder + "/stderr'";
        int status = system(command.c_str());
        Stderr.clear();
        for (uint8_t c : ReadFile(Folder + "/stderr"))
            Stderr += (char)c;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    std::string Folder, Text, Stderr;
};

TEST_F(LzhpackCommand, PacksAndUnpacksAFile)
{
    std::string packed = Folder + "/packed", unpacked = Folder + "/unpacked";
    Bytes text = ReadFile(Text);
    EXPECT_EQ(0, Run("pack " + Text + " " + packed));
    EXPECT_EQ("", Stderr);
    EXPECT_EQ(Pack(text), ReadFile(packed));
    EXPECT_EQ(0, Run("unpack " + packed + " " + unpacked + " " + std::to_string(text.size())));
    EXPECT_EQ("", Stderr);
    EXPECT_EQ(text, ReadFile(unpacked));
}

TEST_F(LzhpackCommand, ErrorsSayWhyAndLeaveNoOutput)
{
    // {in}, {empty}, {packed}, {missing} and {out} stand for files in the test's {folder}.
    const struct { const char* arguments; int exitCode; const char* message; } cases[] = {
        {"", 2, "usage: lzhpack pack IN OUT"},
        {"squeeze {in} {out}", 2, "usage:"},
        {"pack {in}", 2, "usage:"},
        {"pack {in} {out} extra", 2, "usage:"},
        {"unpack {packed} {out}", 2, "usage:"},
        {"pack {missing} {out}", 1, "cannot read {missing}: No such file or directory"},
        {"pack {empty} {out}", 1, "{empty} is empty: a 0-byte file is stored, not packed"},
        {"pack {folder} {out}", 1, "cannot read {folder}: Is a directory"},
        {"pack {in} {folder}/no/such/out", 1, "cannot write {folder}/no/such/out"},
        {"pack {in} {folder}", 1, "cannot write {folder}: Is a directory"},
        {"unpack {packed} {out} 0", 2, "bad SIZE 0"},
        {"unpack {packed} {out} 12x", 2, "bad SIZE 12x"},
        {"unpack {packed} {out} -5", 2, "bad SIZE -5"},
        {"unpack {packed} {out} 4294967296", 2, "bad SIZE 4294967296"},
        {"unpack {packed} {out} ''", 2, "bad SIZE"},
        {"unpack {missing} {out} 10", 1, "cannot read {missing}"},
        {"unpack {empty} {out} 10", 1, "{empty} is empty: a packed stream is at least one byte"},
        {"unpack {packed} {folder}/no/such/out 10", 1, "cannot write {folder}/no/such/out"},
    };
    const struct { const char* word; std::string path; } places[] = {
        {"{folder}", Folder}, {"{missing}", Folder + "/missing"}, {"{empty}", Folder + "/empty"},
        {"{packed}", Folder + "/text.lzh"}, {"{in}", Text}, {"{out}", Folder + "/out"},
    };
    auto expand = [&](std::string text) {
        for (const auto& place : places)
            for (size_t at; (at = text.find(place.word)) != std::string::npos;)
                text.replace(at, strlen(place.word), place.path);
        return text;
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.exitCode, Run(expand(c.arguments))) << c.arguments;
        EXPECT_NE(std::string::npos, Stderr.find(expand(c.message))) << c.arguments << ": " << Stderr;
        EXPECT_FALSE(FileExists(Folder + "/out")) << c.arguments << ": left an output file";
    }
}

TEST_F(LzhpackCommand, AFailedWriteIsReported)
{
    // /dev/full takes the open and refuses the bytes; it is not a file to remove.
    EXPECT_EQ(1, Run("pack " + Text + " /dev/full"));
    EXPECT_NE(std::string::npos, Stderr.find("cannot write /dev/full: No space left on device")) << Stderr;
    EXPECT_EQ(1, Run("unpack " + Folder + "/text.lzh /dev/full 200000"));
    EXPECT_NE(std::string::npos, Stderr.find("cannot write /dev/full")) << Stderr;
    EXPECT_TRUE(FileExists("/dev/full"));
}
