// Drives the generators and writes their files.
#include "forge.h"

#include <cstdio>
#include <sys/stat.h>
#include <vector>

#include "model.h"
#include "music.h"
#include "pictures.h"
#include "rects.h"

static bool write_file(const std::string& path, const void* data, size_t size)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(data, 1, size, f) == size;
    ok = (std::fclose(f) == 0) && ok;
    return ok;
}

// Creates dir and any missing parents; existing directories are fine.
static void make_dirs(const std::string& dir)
{
    for (size_t i = 1; i <= dir.size(); ++i)
        if (i == dir.size() || dir[i] == '/') mkdir(dir.substr(0, i).c_str(), 0755);
}

int forge_data(const std::string& dir)
{
    make_dirs(dir);
    for (const picture_recipe& r : picture_recipes) {
        std::string path = dir + "/" + r.file_name;
        if (!write_png(path, r.make())) {
            std::fprintf(stderr, "veskarra-forge: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    mesh gun = forge_gun();
    std::string problem = model_problem(gun);
    if (!problem.empty()) {
        std::fprintf(stderr, "veskarra-forge: bad model: %s\n", problem.c_str());
        return 1;
    }
    std::vector<uint8_t> model = model_file_bytes(gun);
    std::string path = dir + "/gun.bare";
    if (!write_file(path, model.data(), model.size())) {
        std::fprintf(stderr, "veskarra-forge: cannot write %s\n", path.c_str());
        return 1;
    }
    std::vector<uint8_t> module = forge_module();
    if (!module.empty()) {
        path = dir + "/trevakul_4.mod";
        if (!write_file(path, module.data(), module.size())) {
            std::fprintf(stderr, "veskarra-forge: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}

int forge_rects_table(const std::string& path)
{
    std::string source = rects_source(fit_rects(luminance(forge_stara())));
    if (!write_file(path, source.data(), source.size())) {
        std::fprintf(stderr, "veskarra-forge: cannot write %s\n", path.c_str());
        return 1;
    }
    return 0;
}
