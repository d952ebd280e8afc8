#include "graph_rendering.h"

#include <unistd.h>

#include <atomic>
#include <fstream>
#include <iterator>
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

RenderPlan planGraphRender(const std::filesystem::path& templatePath, const GraphFolders& folders,
                           ImageFormat format, const std::filesystem::path& output,
                           const RenderSettings& settings) {
    RenderPlan plan;
    std::error_code error;
    plan.target = std::filesystem::absolute(output, error);
    if (error) {
        plan.problem = "cannot resolve " + output.string() + ": " + error.message();
        return plan;
    }
    // gnuplot writes into a scratch file of its own; finishGraphRender then puts the image in
    // place as any output file is (atomic_file.h), so a link, a device or a read-only file is
    // treated the same way everywhere.
    static std::atomic<int> renders{0};
    plan.temporary = std::filesystem::temp_directory_path(error) /
                     ("kelvorad-graph-" + std::to_string(::getpid()) + "-" +
                      std::to_string(++renders) + std::string(imageExtension(format)));
    if (error) {
        plan.problem = "cannot write " + output.string() + ": " + error.message();
        return plan;
    }
    std::string commands = imageTerminalCommands(format, plan.temporary);
    if (settings.sampleLabels) commands += "; showLabels = 1";
    plan.arguments = gnuplotArguments(templatePath, folders.templates, commands);
    return plan;
}

RenderResult finishGraphRender(const RenderPlan& plan, int exitStatus) {
    std::error_code error;
    if (exitStatus != 0) {
        std::filesystem::remove(plan.temporary, error);
        return {false, exitStatus < 0
                           ? "gnuplot could not be run"
                           : "gnuplot failed (exit status " + std::to_string(exitStatus) + ")"};
    }
    if (!std::filesystem::is_regular_file(plan.temporary, error)) {
        return {false, "gnuplot wrote no image"};
    }
    std::string image;
    {
        std::ifstream in(plan.temporary, std::ios::binary);
        image.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    std::filesystem::remove(plan.temporary, error);
    if (image.empty()) return {false, "gnuplot wrote no image"};
    std::string problem = writeWholeFile(plan.target.string(), image);
    if (!problem.empty()) return {false, std::move(problem)};
    return {true, {}};
}

RenderResult renderGraphTemplate(const std::filesystem::path& gnuplotProgram,
                                 const std::filesystem::path& templatePath,
                                 const GraphFolders& folders, ImageFormat format,
                                 const std::filesystem::path& output,
                                 const RenderSettings& settings) {
    const RenderPlan plan = planGraphRender(templatePath, folders, format, output, settings);
    if (!plan.problem.empty()) return {false, plan.problem};
    return finishGraphRender(
        plan, runProgram(gnuplotProgram, plan.arguments, folders.working, settings.errorFile));
}

}  // namespace kelvorad
