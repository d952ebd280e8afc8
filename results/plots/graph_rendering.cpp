#include "graph_rendering.h"

#include <unistd.h>

#include <system_error>

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
    plan.temporary = plan.target;
    plan.temporary += ".part" + std::to_string(::getpid());
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
    std::filesystem::rename(plan.temporary, plan.target, error);
    if (error) {
        std::error_code ignored;
        std::filesystem::remove(plan.temporary, ignored);
        return {false, "cannot write " + plan.target.string() + ": " + error.message()};
    }
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
