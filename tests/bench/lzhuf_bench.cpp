// How fast the LZHUF decoder unpacks, in MB/s of output: over the vector streams,
// and over real Windows binaries and texts that lzhpack packs at start.
#include <benchmark/benchmark.h>
#include <dirent.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <deque>
#include <string>
#include <vector>
#include "install/lzhuf_core.h"

typedef std::vector<uint8_t> Bytes;

struct PackedFile {
    std::string Name;
    Bytes Original;
    Bytes Packed;
};

static bool ReadFile(const std::string& path, Bytes* bytes)
{
    FILE* file = fopen(path.c_str(), "rb");
    if (!file)
        return false;
    bytes->clear();
    uint8_t chunk[65536];
    size_t got;
    while ((got = fread(chunk, 1, sizeof chunk, file)) > 0)
        bytes->insert(bytes->end(), chunk, chunk + got);
    fclose(file);
    return true;
}

static void AppendBlock(void* context, const uint8_t* bytes, uint32_t count)
{
    Bytes* out = (Bytes*)context;
    out->insert(out->end(), bytes, bytes + count);
}

// Only sets a byte aside, so that the copy into a sink does not become the measure.
static void TouchBlock(void* context, const uint8_t* bytes, uint32_t count)
{
    *(uint8_t*)context ^= bytes[count - 1];
}

static bool UnpacksRight(const PackedFile& file)
{
    Bytes out;
    LzhufDecode(file.Packed.data(), (uint32_t)file.Packed.size(), (uint32_t)file.Original.size(), AppendBlock, &out);
    return out == file.Original;
}

static std::vector<PackedFile> VectorFiles()
{
    std::vector<PackedFile> files;
    DIR* folder = opendir(LZHUF_VECTORS_DIR);
    if (!folder)
        return files;
    while (dirent* entry = readdir(folder)) {
        std::string name = entry->d_name;
        if (name.size() <= 4 || name.compare(name.size() - 4, 4, ".lzh") != 0)
            continue;
        PackedFile file;
        file.Name = name.substr(0, name.size() - 4);
        if (ReadFile(std::string(LZHUF_VECTORS_DIR) + "/" + name, &file.Packed) &&
            ReadFile(std::string(LZHUF_VECTORS_DIR) + "/" + file.Name, &file.Original) && !file.Original.empty())
            files.push_back(file);
    }
    closedir(folder);
    std::sort(files.begin(), files.end(), [](const PackedFile& a, const PackedFile& b) { return a.Name < b.Name; });
    return files;
}

// The files of the packer's ratio table: Wine's 32-bit Windows binaries and two licence texts.
static const char* const RealFiles[] = {
    "/usr/lib/i386-linux-gnu/wine/i386-windows/xapofx1_5.dll",
    "/usr/lib/i386-linux-gnu/wine/i386-windows/pstorec.dll",
    "/usr/lib/i386-linux-gnu/wine/i386-windows/x3daudio1_0.dll",
    "/usr/lib/i386-linux-gnu/wine/i386-windows/olepro32.dll",
    "/usr/lib/i386-linux-gnu/wine/i386-windows/sppc.dll",
    "/usr/lib/i386-linux-gnu/wine/i386-windows/presentationfontcache.exe",
    "/usr/lib/i386-linux-gnu/wine/i386-windows/dciman32.dll",
    "/usr/lib/i386-linux-gnu/wine/i386-windows/d3dx10_42.dll",
    "/usr/lib/i386-linux-gnu/wine/i386-windows/netutils.dll",
    "/usr/lib/i386-linux-gnu/wine/i386-windows/regedit.exe",
    "/usr/lib/i386-linux-gnu/wine/i386-windows/notepad.exe",
    "/usr/share/common-licenses/Apache-2.0",
    "/usr/share/common-licenses/MPL-2.0",
};

static std::vector<PackedFile> PackRealFiles()
{
    std::vector<PackedFile> files;
    char folder[] = "/tmp/lzhuf-bench-XXXXXX";
    if (access(LZHPACK_PATH, X_OK) != 0 || !mkdtemp(folder)) {
        fprintf(stderr, "lzhuf_bench: no %s: measuring the vectors only\n", LZHPACK_PATH);
        return files;
    }
    for (const char* path : RealFiles) {
        PackedFile file;
        file.Name = strrchr(path, '/') + 1;
        std::string packedPath = std::string(folder) + "/" + file.Name + ".lzh";
        std::string command = std::string("'") + LZHPACK_PATH + "' pack '" + path + "' '" + packedPath + "'";
        if (!ReadFile(path, &file.Original) || file.Original.empty() || system(command.c_str()) != 0 ||
            !ReadFile(packedPath, &file.Packed)) {
            fprintf(stderr, "lzhuf_bench: cannot pack %s: left out\n", path);
        } else {
            files.push_back(file);
        }
        remove(packedPath.c_str());
    }
    rmdir(folder);
    return files;
}

static void Unpack(benchmark::State& state, const std::vector<PackedFile>* files)
{
    uint8_t touched = 0;
    int64_t outputBytes = 0;
    for (const PackedFile& file : *files)
        outputBytes += (int64_t)file.Original.size();
    for (auto _ : state) {
        for (const PackedFile& file : *files)
            LzhufDecode(file.Packed.data(), (uint32_t)file.Packed.size(), (uint32_t)file.Original.size(), TouchBlock, &touched);
        benchmark::DoNotOptimize(touched);
    }
    state.SetBytesProcessed(state.iterations() * outputBytes);
    state.counters["out_MB"] = benchmark::Counter((double)outputBytes / 1e6, benchmark::Counter::kIsIterationInvariantRate);
}

// Each set as a whole, then each file of it alone.
static void RegisterSet(const char* setName, const std::vector<PackedFile>& files, std::deque<std::vector<PackedFile>>* keep)
{
    if (files.empty())
        return;
    int64_t packed = 0, original = 0;
    for (const PackedFile& file : files) {
        if (!UnpacksRight(file)) {
            fprintf(stderr, "lzhuf_bench: %s does not unpack to its original\n", file.Name.c_str());
            exit(1);
        }
        packed += (int64_t)file.Packed.size();
        original += (int64_t)file.Original.size();
    }
    fprintf(stderr, "%s: %zu files, %lld bytes packed into %lld\n", setName, files.size(), (long long)original, (long long)packed);
    keep->push_back(files);
    benchmark::RegisterBenchmark((std::string(setName) + "/all").c_str(), Unpack, &keep->back());
    for (const PackedFile& file : files) {
        keep->push_back({file});
        benchmark::RegisterBenchmark((std::string(setName) + "/" + file.Name).c_str(), Unpack, &keep->back());
    }
}

int main(int argc, char** argv)
{
    static std::deque<std::vector<PackedFile>> sets;     // the benchmarks keep pointers into it
    std::vector<PackedFile> vectors = VectorFiles();
    if (vectors.empty()) {
        fprintf(stderr, "lzhuf_bench: no streams in %s\n", LZHUF_VECTORS_DIR);
        return 1;
    }
    RegisterSet("vectors", vectors, &sets);
    RegisterSet("real", PackRealFiles(), &sets);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
