// veskarra-forge OUTPUT_DIR: writes the demo's data files into OUTPUT_DIR.
#include <cstdio>
#include <string>
#include <sys/stat.h>

#include "music.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: veskarra-forge OUTPUT_DIR\n");
        return 2;
    }
    std::string dir = argv[1];
    mkdir(dir.c_str(), 0755);
    std::vector<uint8_t> module = forge_module();
    if (!module.empty()) {
        std::string path = dir + "/trevakul_4.mod";
        FILE* f = std::fopen(path.c_str(), "wb");
        if (!f || std::fwrite(module.data(), 1, module.size(), f) != module.size()) {
            std::fprintf(stderr, "veskarra-forge: cannot write %s\n", path.c_str());
            return 1;
        }
        std::fclose(f);
    }
    return 0;
}
