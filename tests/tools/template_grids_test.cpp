#include "template_grids.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "oxide_thermometry.h"

using namespace kelvorad;

namespace {

std::string shippedFile(std::string_view name) {
    std::ifstream in(std::filesystem::path(KELVORAD_SHARE_DIR) / "templates" / name,
                     std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

using Row = std::vector<double>;
using Block = std::vector<Row>;

// The blocks of gnuplot data set `index` of a grid file: data sets are separated by two blank
// lines, blocks by one, "#" lines are comments.
std::vector<Block> dataSet(const std::string& text, int index) {
    std::vector<std::vector<Block>> sets(1, std::vector<Block>(1));
    std::istringstream in(text);
    std::string line;
    int blanks = 0;
    while (std::getline(in, line)) {
        if (line.empty()) {
            ++blanks;
            continue;
        }
        if (line[0] == '#') continue;
        if (blanks >= 2) sets.emplace_back(1);
        if (blanks == 1) sets.back().emplace_back();
        blanks = 0;
        std::istringstream fields(line);
        Row row;
        for (double v; fields >> v;) row.push_back(v);
        sets.back().back().push_back(row);
    }
    return index < int(sets.size()) ? sets[index] : std::vector<Block>{};
}

// The smallest distance from (x, y) to the polylines of the blocks whose third column is
// `value`, with x and y scaled by the given spans.
double distanceToCurve(const std::vector<Block>& blocks, double value, double x, double y,
                       double xSpan, double ySpan) {
    double best = INFINITY;
    for (const Block& block : blocks) {
        for (std::size_t i = 1; i < block.size(); ++i) {
            if (std::abs(block[i][2] - value) > 1e-9) continue;
            const double ax = block[i - 1][0] / xSpan, ay = block[i - 1][1] / ySpan;
            const double bx = block[i][0] / xSpan, by = block[i][1] / ySpan;
            const double px = x / xSpan, py = y / ySpan;
            const double dx = bx - ax, dy = by - ay;
            const double t =
                std::clamp(((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
            best = std::min(best, std::hypot(ax + t * dx - px, ay + t * dy - py));
        }
    }
    return best;
}

}  // namespace

// The committed grid files are what the generator writes now; after a change to the engine or
// the generator, regenerate them: build/tools/template_grids/kelvorad-grids share/templates
TEST(TemplateGrids, CommittedFilesAreCurrent) {
    for (const TemplateGridFile& file : templateGridFiles()) {
        EXPECT_TRUE(shippedFile(file.fileName) == file.contents())
            << file.fileName
            << " is stale: run build/tools/template_grids/kelvorad-grids share/templates";
    }
}

// A pair's temperature and fO2 lie where its Xusp isopleth crosses its Xilm isopleth, each
// file with its own calibration (a swapped family or calibration moves the crossing).
TEST(TemplateGrids, IsoplethsCrossAtTheEnginesTemperatureAndOxygenFugacity) {
    const struct {
        std::string_view file;
        const FeTiCalibration& calibration;
    } grids[] = {{"TfO2IsoplethsAL85.dat", kAndersenLindsley1985},
                 {"TfO2IsoplethsSL81.dat", kSpencerLindsley1981}};
    for (const auto& grid : grids) {
        const std::string text = shippedFile(grid.file);
        for (const auto& [xUsp, xIlm] : {std::pair{0.3, 0.9}, {0.2, 0.8}, {0.5, 0.95}}) {
            const double t = feTiTemperature(xUsp, xIlm, grid.calibration);
            const double f = feTiLogFO2(xUsp, xIlm, t, grid.calibration);
            EXPECT_LT(distanceToCurve(dataSet(text, 0), xUsp, t, f, 700, 20), 0.002)
                << grid.file << " Xusp " << xUsp;
            EXPECT_LT(distanceToCurve(dataSet(text, 1), xIlm, t, f, 700, 20), 0.002)
                << grid.file << " Xilm " << xIlm;
        }
    }
}

// Every point of an isotherm gives back its temperature (the isotherms are found by bisection).
// The points are written to 4 decimals; where the temperature changes by more than a few C per
// 0.0001 (the full model close to pure ilmenite), the isotherm must cross the square of
// compositions that round to the point.
TEST(TemplateGrids, IsothermPointsHaveTheirTemperature) {
    const struct {
        std::string_view file;
        RoozeboomModel model;
    } files[] = {{"XUspXIlmIsothermsS08.dat", RoozeboomModel::Sauerzapf2008},
                 {"XUspXIlmIsothermsGE08.dat", RoozeboomModel::GhiorsoEvans2008},
                 {"XUspXIlmIsothermsGE08model.dat", RoozeboomModel::GhiorsoEvans2008FullModel}};
    const auto crossesRoundingSquare = [](RoozeboomModel model, const Row& p) {
        double low = INFINITY, high = -INFINITY;
        for (double dx : {-5e-5, 5e-5}) {
            for (double dy : {-5e-5, 5e-5}) {
                const double t = roozeboomTemperature(model, p[0] + dx, p[1] + dy);
                low = std::min(low, t);
                high = std::max(high, t);
            }
        }
        return low - 0.5 <= p[2] && p[2] <= high + 0.5;
    };
    for (const auto& file : files) {
        const std::vector<Block> isotherms = dataSet(shippedFile(file.file), 0);
        ASSERT_GE(isotherms.size(), 7u) << file.file;
        for (const Block& block : isotherms) {
            for (const Row& p : block) {
                const double t = roozeboomTemperature(file.model, p[0], p[1]);
                EXPECT_TRUE(std::abs(t - p[2]) <= 3.0 || crossesRoundingSquare(file.model, p))
                    << file.file << " at " << p[0] << " " << p[1] << ": " << t;
            }
        }
    }
    // The full model's isotherms run from 600 to 1300 C, each drawn, and a line never jumps
    // from one branch of an isotherm to another: neighbouring points lie in one cell of the
    // grid the model was solved on (0.01 by 0.005).
    for (const Block& block : dataSet(shippedFile("XUspXIlmIsothermsGE08model.dat"), 0)) {
        for (std::size_t i = 1; i < block.size(); ++i) {
            EXPECT_LE(std::abs(block[i][0] - block[i - 1][0]), 0.0101) << block[i][0];
            EXPECT_LE(std::abs(block[i][1] - block[i - 1][1]), 0.0051) << block[i][1];
        }
    }
    const std::vector<Block> model = dataSet(shippedFile("XUspXIlmIsothermsGE08model.dat"), 0);
    for (double temperature = 600; temperature <= 1300; temperature += 100) {
        EXPECT_TRUE(std::any_of(model.begin(), model.end(), [&](const Block& block) {
            return block.size() > 10 && block.front()[2] == temperature;
        })) << temperature;
    }
    EXPECT_TRUE(std::isnan(roozeboomTemperature(RoozeboomModel::Sauerzapf2008, NAN, 0.9)));
}
