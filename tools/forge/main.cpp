// veskarra-forge DIR: writes the demo's data files into DIR.
// veskarra-forge --rects-table FILE: writes the source of the rectangle table to FILE.
#include <cstdio>
#include <cstring>
#include <string>

#include "forge.h"

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--rects-table") == 0) return forge_rects_table(argv[2]);
    if (argc == 2 && argv[1][0] != '-') return forge_data(argv[1]);
    std::fprintf(stderr, "usage: veskarra-forge DIR | veskarra-forge --rects-table FILE\n");
    return 2;
}
