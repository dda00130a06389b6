// lzhpack: packs a file into a headerless LZHUF stream, or unpacks one.
//   lzhpack pack IN OUT          (IN must not be empty: an empty file is stored)
//   lzhpack unpack IN OUT SIZE   (SIZE: the unpacked size in bytes)
// Every packed stream is unpacked again in memory and compared before it is
// written; on any failure nothing is left at OUT.
#include "install/lzhuf_core.h"
#include "tools/lzhpack/lzhuf_pack.h"
#include "tools/lzhpack/unpack_to_memory.h"
#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <vector>

enum { ExitFailure = 1, ExitUsage = 2 };

static int Usage()
{
    fprintf(stderr, "usage: lzhpack pack IN OUT\n"
                    "       lzhpack unpack IN OUT SIZE\n");
    return ExitUsage;
}

// Reads all of a file that must not be empty; whyNotEmpty completes the message if it is.
static bool ReadWholeFile(const char* path, const char* whyNotEmpty, std::vector<uint8_t>* bytes)
{
    FILE* file = fopen(path, "rb");
    if (!file) {
        fprintf(stderr, "lzhpack: cannot read %s: %s\n", path, strerror(errno));
        return false;
    }
    bytes->clear();
    uint8_t chunk[65536];
    size_t got;
    while ((got = fread(chunk, 1, sizeof chunk, file)) > 0) {
        bytes->insert(bytes->end(), chunk, chunk + got);
        if (bytes->size() > UINT32_MAX) {
            fprintf(stderr, "lzhpack: %s is larger than 4294967295 bytes\n", path);
            fclose(file);
            return false;
        }
    }
    bool failed = ferror(file) != 0;
    int error = errno;
    fclose(file);
    if (failed) {
        fprintf(stderr, "lzhpack: cannot read %s: %s\n", path, strerror(error));
        return false;
    }
    if (bytes->empty()) {
        fprintf(stderr, "lzhpack: %s is empty: %s\n", path, whyNotEmpty);
        return false;
    }
    return true;
}

struct Output {
    FILE* File;
    bool Regular;                           // only a regular file is removed on failure
    bool Failed;
};

static bool OpenOutput(const char* path, Output* out)
{
    out->File = fopen(path, "wb");
    if (!out->File) {
        fprintf(stderr, "lzhpack: cannot write %s: %s\n", path, strerror(errno));
        return false;
    }
    struct stat status;
    out->Regular = fstat(fileno(out->File), &status) == 0 && S_ISREG(status.st_mode);
    out->Failed = false;
    return true;
}

// Closes the output; if anything went wrong, says so and removes the file.
static int CloseOutput(const char* path, Output* out)
{
    int error = out->Failed ? errno : 0;
    if (fclose(out->File) != 0 && !out->Failed) {
        out->Failed = true;
        error = errno;
    }
    if (!out->Failed)
        return 0;
    fprintf(stderr, "lzhpack: cannot write %s: %s\n", path, strerror(error));
    if (out->Regular)
        remove(path);
    return ExitFailure;
}

static void WriteBlock(void* context, const uint8_t* bytes, uint32_t count)
{
    Output* out = (Output*)context;
    if (!out->Failed && fwrite(bytes, 1, count, out->File) != count)
        out->Failed = true;
}

static int Pack(const char* inPath, const char* outPath)
{
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(inPath, "a 0-byte file is stored, not packed", &bytes))
        return ExitFailure;
    uint32_t size = (uint32_t)bytes.size();
    std::vector<uint8_t> packed;
    PackLzhuf(bytes.data(), size, &packed);
    if (!PackedStreamMatches(packed, bytes.data(), size)) {
        fprintf(stderr, "lzhpack: internal error: the stream packed from %s does not unpack "
                        "to it; nothing written\n", inPath);
        return ExitFailure;
    }
    Output out;
    if (!OpenOutput(outPath, &out))
        return ExitFailure;
    out.Failed = fwrite(packed.data(), 1, packed.size(), out.File) != packed.size();
    return CloseOutput(outPath, &out);
}

static bool ParseSize(const char* text, uint32_t* size)
{
    if (*text < '0' || *text > '9')
        return false;
    errno = 0;
    char* end;
    unsigned long long value = strtoull(text, &end, 10);
    if (*end != '\0' || errno != 0 || value == 0 || value > UINT32_MAX)
        return false;
    *size = (uint32_t)value;
    return true;
}

static int Unpack(const char* inPath, const char* outPath, const char* sizeText)
{
    uint32_t size;
    if (!ParseSize(sizeText, &size)) {
        fprintf(stderr, "lzhpack: bad SIZE %s: the unpacked size is a byte count from 1 "
                        "to 4294967295\n", sizeText);
        return ExitUsage;
    }
    std::vector<uint8_t> packed;
    if (!ReadWholeFile(inPath, "a packed stream is at least one byte", &packed))
        return ExitFailure;
    Output out;
    if (!OpenOutput(outPath, &out))
        return ExitFailure;
    // Straight from the decoder core's blocks to the file: SIZE need not fit in memory.
    LzhufDecode(packed.data(), (uint32_t)packed.size(), size, WriteBlock, &out);
    return CloseOutput(outPath, &out);
}

int main(int argc, char** argv)
{
    if (argc == 4 && strcmp(argv[1], "pack") == 0)
        return Pack(argv[2], argv[3]);
    if (argc == 5 && strcmp(argv[1], "unpack") == 0)
        return Unpack(argv[2], argv[3], argv[4]);
    return Usage();
}
