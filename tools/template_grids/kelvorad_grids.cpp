// kelvorad-grids FOLDER: writes the grid data files of the graph templates into FOLDER.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "template_grids.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: kelvorad-grids FOLDER\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    int status = 0;
    for (const kelvorad::TemplateGridFile& file : kelvorad::templateGridFiles()) {
        const std::filesystem::path path = folder / file.fileName;
        const std::string text = file.contents();
        std::ofstream out(path, std::ios::binary);
        out << text;
        out.close();
        if (!out) {
            std::fprintf(stderr, "kelvorad-grids: cannot write %s\n", path.c_str());
            status = 1;
        }
    }
    return status;
}
