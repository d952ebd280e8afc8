#pragma once
// Rendering a graph template into an image file with gnuplot, waiting for it: the command line
// draws its figures this way, from the same templates the Graph menu opens in a window.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "graph_templates.h"

namespace kelvorad {

enum class ImageFormat { Png, Svg, Pdf };

// "png", "svg" or "pdf"; nullopt for anything else.
std::optional<ImageFormat> imageFormatNamed(std::string_view name);

// ".png", ".svg" or ".pdf".
std::string_view imageExtension(ImageFormat format);

// The gnuplot commands that send the plot to `output`: a 1200 x 900 pixel PNG (cairo), a
// 1200 x 900 SVG, or an 8 x 6 inch PDF (cairo), each with 14-point text, so that the
// figures read well on a slide.
std::string imageTerminalCommands(ImageFormat format, const std::filesystem::path& output);

struct RenderSettings {
    bool sampleLabels = false;        // sets the templates' showLabels: sample names by points
    std::filesystem::path errorFile;  // gnuplot's warnings and errors; empty: standard error
};

struct RenderResult {
    bool done = false;    // the image file is in place
    std::string problem;  // why not, when not done
};

// One rendering, cut in the part before gnuplot runs and the part after, so that the windows
// can run gnuplot as a process of their own without waiting for it. The image is written under
// a temporary name beside the output and renamed when gnuplot succeeded, so a failed run
// leaves no half-written image (and an earlier image of that name stays).
struct RenderPlan {
    std::vector<std::string> arguments;  // gnuplot's, to run in the working folder
    std::filesystem::path temporary;     // where gnuplot writes the image
    std::filesystem::path target;        // where it goes once written
    std::string problem;                 // set when the output path cannot be resolved
};

RenderPlan planGraphRender(const std::filesystem::path& templatePath, const GraphFolders& folders,
                           ImageFormat format, const std::filesystem::path& output,
                           const RenderSettings& settings = {});

// After gnuplot ended with `exitStatus` (-1: it could not be run or was killed): moves the
// image into place, or removes what gnuplot left and says why not.
RenderResult finishGraphRender(const RenderPlan& plan, int exitStatus);

// Runs `gnuplotProgram` (a path) on `templatePath` in `folders.working` and writes the image to
// `output`, waiting for it: planGraphRender, gnuplot, finishGraphRender.
RenderResult renderGraphTemplate(const std::filesystem::path& gnuplotProgram,
                                 const std::filesystem::path& templatePath,
                                 const GraphFolders& folders, ImageFormat format,
                                 const std::filesystem::path& output,
                                 const RenderSettings& settings = {});

}  // namespace kelvorad
