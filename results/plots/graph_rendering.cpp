#include "graph_rendering.h"

#include "atomic_file.h"

#include <unistd.h>

#include <system_error>

#include "atomic_file.h"
#include "program_run.h"

namespace kelvorad {

std::optional<ImageFormat> imageFormatNamed(std::string_view name) {
    if (name == "png") return ImageFormat::Png;
    if (name == "svg") return ImageFormat::Svg;
    if (name == "pdf") return ImageFormat::Pdf;
    return std::nullopt;
}

std::string_view imageExtension(ImageFormat format) {
    switch (format) {
        case ImageFormat::Png:
            return ".png";
        case ImageFormat::Svg:
            return ".svg";
        case ImageFormat::Pdf:
            return ".pdf";
    }
    return {};
}

std::string imageTerminalCommands(ImageFormat format, const std::filesystem::path& output) {
    std::string terminal;
    switch (format) {
        case ImageFormat::Png:
            terminal = "set terminal pngcairo enhanced size 1200,900 font ',14'";
            break;
        case ImageFormat::Svg:
            terminal = "set terminal svg enhanced size 1200,900 font ',14' background 'white'";
            break;
        case ImageFormat::Pdf:
            terminal = "set terminal pdfcairo enhanced size 8in,6in font ',14'";
            break;
    }
    return terminal + "; set output " + gnuplotQuoted(output.string());
}

RenderResult renderGraphTemplate(const std::filesystem::path& gnuplotProgram,
                                 const std::filesystem::path& templatePath,
                                 const GraphFolders& folders, ImageFormat format,
                                 const std::filesystem::path& output,
                                 const RenderSettings& settings) {
    std::error_code error;
    const std::filesystem::path target = std::filesystem::absolute(output, error);
    if (error) return {false, "cannot resolve " + output.string() + ": " + error.message()};
    AtomicFile image;
    const std::string temporary = image.open(target.string()) ? image.stagingPath() : "";
    if (temporary.empty()) return {false, image.error()};

    std::string commands = imageTerminalCommands(format, temporary);
    if (settings.sampleLabels) commands += "; showLabels = 1";
    const int status =
        runProgram(gnuplotProgram, gnuplotArguments(templatePath, folders.templates, commands),
                   folders.working, settings.errorFile);
    if (status != 0) {
        return {false, status < 0 ? "gnuplot could not be run"
                                  : "gnuplot failed (exit status " + std::to_string(status) + ")"};
    }
    if (std::filesystem::file_size(temporary, error) == 0 || error) {
        return {false, "gnuplot wrote no image"};
    }
    if (!image.commit()) return {false, image.error()};
    return {true, {}};
}

}  // namespace kelvorad
