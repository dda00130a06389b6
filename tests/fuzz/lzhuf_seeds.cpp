// Makes the LZHUF fuzzer's seeds: each vector stream behind its original's size,
// in the fuzzer's input layout.   lzhuf_seeds VECTORS_DIR OUT_DIR
#include <dirent.h>
#include <stdio.h>
#include <string>
#include <vector>

static bool ReadFile(const std::string& path, std::vector<unsigned char>* bytes)
{
    FILE* file = fopen(path.c_str(), "rb");
    if (!file)
        return false;
    unsigned char chunk[65536];
    size_t got;
    while ((got = fread(chunk, 1, sizeof chunk, file)) > 0)
        bytes->insert(bytes->end(), chunk, chunk + got);
    fclose(file);
    return true;
}

int main(int argc, char** argv)
{
    if (argc != 3) {
        fprintf(stderr, "usage: lzhuf_seeds VECTORS_DIR OUT_DIR\n");
        return 2;
    }
    DIR* folder = opendir(argv[1]);
    if (!folder) {
        fprintf(stderr, "lzhuf_seeds: cannot read %s\n", argv[1]);
        return 1;
    }
    int seeds = 0;
    while (dirent* entry = readdir(folder)) {
        std::string name = entry->d_name;
        if (name.size() <= 4 || name.compare(name.size() - 4, 4, ".lzh") != 0)
            continue;
        std::string original = name.substr(0, name.size() - 4);
        std::vector<unsigned char> stream, bytes;
        if (!ReadFile(std::string(argv[1]) + "/" + name, &stream) ||
            !ReadFile(std::string(argv[1]) + "/" + original, &bytes))
            continue;
        // The fuzzer's size field: two bytes, in eights when the third is 0xFF.
        unsigned long size = bytes.size();
        bool eights = size > 0xFFFF;
        if (eights)
            size /= 8;
        std::vector<unsigned char> seed = {(unsigned char)size, (unsigned char)(size >> 8), (unsigned char)(eights ? 0xFF : 0)};
        seed.insert(seed.end(), stream.begin(), stream.end());
        FILE* out = fopen((std::string(argv[2]) + "/" + original).c_str(), "wb");
        if (!out || fwrite(seed.data(), 1, seed.size(), out) != seed.size()) {
            fprintf(stderr, "lzhuf_seeds: cannot write into %s\n", argv[2]);
            return 1;
        }
        fclose(out);
        seeds++;
    }
    closedir(folder);
    return seeds > 0 ? 0 : 1;
}
