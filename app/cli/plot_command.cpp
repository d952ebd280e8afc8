#include "plot_command.h"

#include <iostream>
#include <optional>
#include <system_error>

#include "cli_main.h"
#include "graph_menu.h"
#include "graph_rendering.h"
#include "program_run.h"

namespace kelvorad {

namespace {

struct PlotOptions {
    std::vector<std::string> templates;  // as given; empty means all ten
    std::filesystem::path plotDir = ".";
    std::optional<std::filesystem::path> outDir;  // default: the plot folder
    ImageFormat format = ImageFormat::Png;
    bool sampleLabels = false;
};

std::string templateList() {
    std::string list;
    for (const GraphMenuItem& item : graphMenu()) {
        if (item.kind == GraphMenuKind::Template) {
            list += "  " + std::string(item.templateFile) + "  (" + std::string(item.plotDataFile) +
                    ")\n";
        }
    }
    return list;
}

std::optional<PlotOptions> parseArguments(const std::vector<std::string>& args) {
    PlotOptions o;
    auto fail = [](const std::string& message) {
        std::cerr << "kelvorad plot: " << message << "\n(see 'kelvorad plot --help')\n";
        return std::nullopt;
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--labels") {
            o.sampleLabels = true;
            continue;
        }
        if (a != "--template" && a != "--plot-dir" && a != "--format" && a != "--out") {
            return fail(a.starts_with("-") ? "unknown option '" + a + "'"
                                           : "unexpected argument '" + a + "'");
        }
        if (i + 1 >= args.size() || args[i + 1].empty()) {
            return fail("option " + a + " needs a value");
        }
        const std::string& v = args[++i];
        if (a == "--template") {
            o.templates.push_back(v);
        } else if (a == "--plot-dir") {
            o.plotDir = v;
        } else if (a == "--out") {
            o.outDir = v;
        } else if (const auto format = imageFormatNamed(v)) {
            o.format = *format;
        } else {
            return fail("--format takes png, svg or pdf, not '" + v + "'");
        }
    }
    return o;
}

// A template as the user named it: a path when it holds a "/", else a bare name, with ".grf"
// added when it has no extension.
std::optional<std::filesystem::path> resolveTemplate(const std::string& name,
                                                     const GraphFolders& folders) {
    if (name.find('/') != std::string::npos) {
        std::error_code error;
        if (std::filesystem::is_regular_file(name, error)) return std::filesystem::absolute(name);
        return std::nullopt;
    }
    std::string file = name;
    if (std::filesystem::path(file).extension().empty()) file += ".grf";
    return findGraphTemplate(file, folders);
}

// The plot data file a Graph menu template shows, or empty for another template.
std::string_view plotDataFileOf(const std::filesystem::path& templatePath) {
    for (const GraphMenuItem& item : graphMenu()) {
        if (item.kind == GraphMenuKind::Template &&
            templatePath.filename() == std::filesystem::path(item.templateFile)) {
            return item.plotDataFile;
        }
    }
    return {};
}

}  // namespace

std::string plotHelp() {
    return R"(usage: kelvorad plot [--template NAME]... [--plot-dir DIR] [--format png|svg|pdf] [--out DIR]
                     [--labels]

Draws the graphs of the results window's Graph menu into image files: each graph template is
run through gnuplot over the plot data files that 'kelvorad calc' (or the window's run) wrote.

options
  --template NAME    a graph template to draw (repeatable; default: all ten). NAME is a
                     template's name, with or without ".grf" (looked up in DIR first, so an
                     edited copy there wins, then among the shipped templates), or a path
                     to any .grf file
  --plot-dir DIR     folder of the plot data files (default: the current folder)
  --format FORMAT    png (default, 1200 x 900 pixels), svg or pdf (8 x 6 inches)
  --out DIR          folder for the images (default: the plot data folder), one per template,
                     named after it: TlogfO2BL64.png, ...
  --labels           write each sample name beside its point
  -h, --help         this text
  --version          print the version and the source revision of the build

gnuplot 5.4 must be installed (Debian: gnuplot-nox, or gnuplot-qt for plot windows).

example
  kelvorad calc share/examples/natural-pairs.csv --plot-dir run1
  kelvorad plot --plot-dir run1 --template TDeltaNNO --format svg

exit status
  0 every image written; 1 gnuplot is not installed, a folder cannot be used or an image was
  not written (the others still are); 2 wrong usage, such as an unknown template.

templates (and the plot data file each draws)
)" + templateList();
}

int runPlotCommand(const std::vector<std::string>& arguments) {
    return runPlotCommand(arguments, kGnuplotProgram);
}

int runPlotCommand(const std::vector<std::string>& arguments, std::string_view gnuplotProgram) {
    if (answeredHelpOrVersion(arguments, plotHelp)) return 0;
    std::optional<PlotOptions> options = parseArguments(arguments);
    if (!options) return 2;

    std::error_code error;
    const std::filesystem::path plotDir =
        std::filesystem::absolute(options->plotDir, error).lexically_normal();
    if (error || !std::filesystem::is_directory(plotDir, error)) {
        std::cerr << "kelvorad plot: plot data folder '" << options->plotDir.string()
                  << "' does not exist\n";
        return 1;
    }
    const GraphFolders folders{plotDir, currentGraphFolders().templates};

    std::vector<std::filesystem::path> templates;
    if (options->templates.empty()) {
        for (const GraphMenuItem& item : graphMenu()) {
            if (item.kind == GraphMenuKind::Template)
                options->templates.emplace_back(item.templateFile);
        }
    }
    for (const std::string& name : options->templates) {
        const auto path = resolveTemplate(name, folders);
        if (!path) {
            std::cerr << "kelvorad plot: no graph template '" << name << "' in " << plotDir.string()
                      << " or " << folders.templates.string() << ". The templates are:\n"
                      << templateList();
            return 2;
        }
        templates.push_back(*path);
    }

    const std::filesystem::path gnuplot = findProgram(gnuplotProgram, environmentSearchPath());
    if (gnuplot.empty()) {
        std::cerr << "kelvorad plot: gnuplot is not installed, and the graphs are drawn by it; "
                     "install gnuplot 5.4 (Debian: apt-get install gnuplot-nox, or gnuplot-qt "
                     "for plot windows). No image was written.\n";
        return 1;
    }

    const std::filesystem::path outDir = options->outDir ? *options->outDir : plotDir;
    std::filesystem::create_directories(outDir, error);
    if (!std::filesystem::is_directory(outDir, error)) {
        std::cerr << "kelvorad plot: cannot create the image folder '" << outDir.string() << "'\n";
        return 1;
    }

    int status = 0;
    for (const std::filesystem::path& templatePath : templates) {
        const std::string_view dataFile = plotDataFileOf(templatePath);
        if (!dataFile.empty() && !std::filesystem::exists(plotDir / dataFile, error)) {
            std::cerr << "kelvorad plot: warning: " << (plotDir / dataFile).string()
                      << " does not exist (no run has written it); "
                      << templatePath.filename().string() << " draws no points\n";
        }
        std::filesystem::path image = outDir / templatePath.stem();
        image += imageExtension(options->format);
        const RenderResult result = renderGraphTemplate(
            gnuplot, templatePath, folders, options->format, image, {options->sampleLabels, {}});
        if (result.done) {
            std::cout << image.string() << "\n";
        } else {
            std::cerr << "kelvorad plot: " << templatePath.filename().string() << ": "
                      << result.problem << "\n";
            status = 1;
        }
    }
    return status;
}

}  // namespace kelvorad
