// kelvorad-icon FOLDER SIZE...: writes the program's icon into FOLDER as an icon theme's tree,
// as the application's icon (apps/org.kelvorad.Kelvorad) and as the analysis files' icon
// (mimetypes/application-x-kelvorad-analysis): scalable/ as SVG and, for each SIZE,
// SIZExSIZE/ as PNG. The build installs the tree into share/icons/hicolor.
#include <QImage>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "app_icon.h"

namespace {
constexpr std::array<const char*, 2> kIconNames = {"apps/org.kelvorad.Kelvorad",
                                                   "mimetypes/application-x-kelvorad-analysis"};

bool writeText(const std::filesystem::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    return static_cast<bool>(out.flush());
}

// FOLDER/SUBFOLDER/NAME.EXTENSION with its folders made.
std::filesystem::path iconFile(const std::filesystem::path& folder, const std::string& subfolder,
                               const char* name, const char* extension) {
    auto path = folder / subfolder / (std::string(name) + extension);
    std::filesystem::create_directories(path.parent_path());
    return path;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: kelvorad-icon FOLDER SIZE...\n";
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    const kelvorad::IconPicture picture = kelvorad::applicationIconPicture();
    const std::string svg = kelvorad::iconSvg(picture, "Kelvorad");
    for (const char* name : kIconNames) {
        const auto path = iconFile(folder, "scalable", name, ".svg");
        if (!writeText(path, svg)) {
            std::cerr << "kelvorad-icon: cannot write " << path << "\n";
            return 1;
        }
    }
    for (int k = 2; k < argc; ++k) {
        const int size = std::atoi(argv[k]);
        if (size < 1 || size > 1024) {
            std::cerr << "kelvorad-icon: not a size: " << argv[k] << "\n";
            return 2;
        }
        const QImage image = kelvorad::renderIcon(picture, size);
        const std::string sizeFolder = std::to_string(size) + "x" + std::to_string(size);
        for (const char* name : kIconNames) {
            const auto path = iconFile(folder, sizeFolder, name, ".png");
            if (!image.save(QString::fromStdString(path.string()))) {
                std::cerr << "kelvorad-icon: cannot write " << path << "\n";
                return 1;
            }
        }
    }
    return 0;
}
