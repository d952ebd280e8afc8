#include "template_grids.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <vector>

#include "equilibrium_test.h"
#include "model_isotherms.h"
#include "newer_model_grids.h"
#include "newer_models.h"
#include "oxide_thermometry.h"

namespace kelvorad {

namespace {

struct Point {
    double x, y;
};
using Segment = std::vector<Point>;

// A rectangle of the plane: the part of a template's default axes where labels may go.
struct Frame {
    double xMin, xMax, yMin, yMax;
    bool contains(Point p) const {
        return p.x >= xMin && p.x <= xMax && p.y >= yMin && p.y <= yMax;
    }
};

// One curve of a family (one isopleth, one isotherm): its value and its unbroken pieces.
struct Curve {
    double value;
    std::vector<Segment> segments;
};

void appendFixed(std::string& out, double value, int decimals) {
    char text[64];
    const auto result =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
    out.append(text, result.ptr);
}

// Samples `pointAt(t)` for `steps` + 1 evenly spaced t from `from` to `to`; a point that is
// missing (NaN) or outside `keep` breaks the curve there.
template <typename PointAt>
std::vector<Segment> traceCurve(PointAt pointAt, double from, double to, int steps,
                                const Frame& keep) {
    std::vector<Segment> segments(1);
    for (int k = 0; k <= steps; ++k) {
        const Point p = pointAt(from + (to - from) * k / steps);
        if (std::isfinite(p.x) && std::isfinite(p.y) && keep.contains(p)) {
            segments.back().push_back(p);
        } else if (!segments.back().empty()) {
            segments.emplace_back();
        }
    }
    std::erase_if(segments, [](const Segment& s) { return s.size() < 2; });
    return segments;
}

// The point of a curve inside `frame` with the smallest (or largest) x: where its label goes.
std::optional<Point> labelPoint(const Curve& curve, const Frame& frame, bool smallestX) {
    std::optional<Point> best;
    for (const Segment& segment : curve.segments) {
        for (const Point& p : segment) {
            if (!frame.contains(p)) continue;
            if (!best || (smallestX ? p.x < best->x : p.x > best->x)) best = p;
        }
    }
    return best;
}

// Writes a family of curves as one gnuplot data set: a block per unbroken piece, columns
// x y value.
void appendCurves(std::string& out, const std::vector<Curve>& curves, int xDecimals,
                  int yDecimals) {
    for (const Curve& curve : curves) {
        for (const Segment& segment : curve.segments) {
            for (const Point& p : segment) {
                appendFixed(out, p.x, xDecimals);
                out += ' ';
                appendFixed(out, p.y, yDecimals);
                out += ' ';
                appendFixed(out, curve.value, 2);
                out += '\n';
            }
            out += '\n';
        }
    }
}

// Writes the label points of a family as one data set: x y value, one line per labelled curve.
// A label that would crowd one already placed (closer than 3 % of the frame's width and 2 %
// of its height) is left out; its neighbours name the sequence.
void appendLabels(std::string& out, const std::vector<Curve>& curves, const Frame& frame,
                  bool smallestX, int xDecimals, int yDecimals) {
    std::vector<Point> placed;
    const auto crowds = [&](Point p) {
        for (const Point& q : placed) {
            if (std::abs(p.x - q.x) < 0.03 * (frame.xMax - frame.xMin) &&
                std::abs(p.y - q.y) < 0.02 * (frame.yMax - frame.yMin)) {
                return true;
            }
        }
        return false;
    };
    for (const Curve& curve : curves) {
        const auto p = labelPoint(curve, frame, smallestX);
        if (!p || crowds(*p)) continue;
        placed.push_back(*p);
        appendFixed(out, p->x, xDecimals);
        out += ' ';
        appendFixed(out, p->y, yDecimals);
        out += ' ';
        appendFixed(out, curve.value, 2);
        out += '\n';
    }
}

void startDataSet(std::string& out, std::string_view comment) {
    if (!out.empty()) out += "\n\n";
    out += "# ";
    out += comment;
    out += '\n';
}

constexpr std::string_view kGeneratedNote =
    "# Written by kelvorad-grids from the program's own equations; regenerate, do not edit.\n";

// The opening comment of a grid file: what it holds, from which equations, and how it is made.
void startGridFile(std::string& out, std::string_view heading, std::string_view title) {
    startDataSet(out, heading);
    out += "# ";
    out += title;
    out += ".\n";
    out += kGeneratedNote;
}

// --- T - log fO2 isopleths ------------------------------------------------------------------

constexpr std::array<double, 9> kUspIsopleths{0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9};
constexpr std::array<double, 8> kIlmIsopleths{0.5, 0.6, 0.7, 0.8, 0.85, 0.9, 0.95, 0.98};

// Where the curves are kept (wider than any default axes, so that a user who widens the axes
// still sees them) and where their labels go (the template's default axes, T in C).
constexpr Frame kIsoplethKeep{300, 1500, -40, 5};

std::string isoplethGrid(const FeTiCalibration& calibration, std::string_view title,
                         const Frame& axes) {
    const auto at = [&](double xUsp, double xIlm) {
        const double t = feTiTemperature(xUsp, xIlm, calibration);
        return Point{t, feTiLogFO2(xUsp, xIlm, t, calibration)};
    };
    std::vector<Curve> usp;
    for (double xUsp : kUspIsopleths) {
        usp.push_back({xUsp, traceCurve([&](double xIlm) { return at(xUsp, xIlm); }, 0.5, 0.995,
                                        396, kIsoplethKeep)});
    }
    std::vector<Curve> ilm;
    for (double xIlm : kIlmIsopleths) {
        ilm.push_back({xIlm, traceCurve([&](double xUsp) { return at(xUsp, xIlm); }, 0.04, 0.95,
                                        364, kIsoplethKeep)});
    }
    // Inset the label frame so that labels do not sit on the axes.
    const Frame labels{axes.xMin + 40, axes.xMax - 20, axes.yMin + 0.4, axes.yMax - 0.6};

    std::string out;
    startGridFile(out,
                  "Isopleths of constant Xusp (magnetite) and Xilm (ilmenite) in "
                  "T - log fO2 space:",
                  title);
    out += "# index 0: Xusp isopleths; columns T(oC) logfO2 Xusp\n";
    appendCurves(out, usp, 2, 4);
    startDataSet(out, "index 1: Xilm isopleths; columns T(oC) logfO2 Xilm");
    appendCurves(out, ilm, 2, 4);
    startDataSet(out,
                 "index 2: Xusp label points (hottest point inside the default axes); "
                 "columns T(oC) logfO2 Xusp");
    appendLabels(out, usp, labels, false, 2, 4);
    startDataSet(out,
                 "index 3: Xilm label points (coolest point inside the default axes); "
                 "columns T(oC) logfO2 Xilm");
    appendLabels(out, ilm, labels, true, 2, 4);
    return out;
}

std::string andersenLindsleyGrid() {
    return isoplethGrid(kAndersenLindsley1985,
                        "Andersen and Lindsley (1985) thermometer and oxygen barometer",
                        Frame{500, 1200, -25, -5});
}

std::string spencerLindsleyGrid() {
    return isoplethGrid(kSpencerLindsley1981,
                        "Spencer and Lindsley (1981) thermometer and oxygen barometer",
                        Frame{500, 1250, -26, -4});
}

// --- Roozeboom isotherms --------------------------------------------------------------------

constexpr std::array<double, 7> kIsotherms{600, 700, 800, 900, 1000, 1100, 1200};

// The Xusp at which the temperature model is sampled: the middle of each band of its
// temperature table (the model is one cubic in Xilm per Xusp band).
std::vector<double> temperatureBandMiddles() {
    std::vector<double> middles;
    for (const GridRow& row : kTemperatureGrid) {
        if (std::isinf(row.lower)) {
            middles.push_back(row.upper / 2);
        } else if (std::isinf(row.upper)) {
            middles.push_back((row.lower + 1) / 2);
        } else {
            middles.push_back((row.lower + row.upper) / 2);
        }
    }
    return middles;
}

// The Xilm in [0.2, 0.999] at which the model gives `temperature` for this Xusp, the one
// nearest `near` when several do; nullopt when none does.
std::optional<double> isothermXilm(RoozeboomModel model, double xUsp, double temperature,
                                   double near) {
    constexpr int kSteps = 799;
    const auto excess = [&](double xIlm) {
        return roozeboomTemperature(model, xUsp, xIlm) - temperature;
    };
    std::optional<double> best;
    double low = 0.2;
    double fLow = excess(low);
    for (int k = 1; k <= kSteps; ++k) {
        double high = 0.2 + 0.799 * k / kSteps;
        const double fHigh = excess(high);
        if (std::isfinite(fLow) && std::isfinite(fHigh) && (fLow < 0) != (fHigh < 0)) {
            double a = low;
            double b = high;
            double fa = fLow;
            for (int i = 0; i < 60; ++i) {
                const double m = 0.5 * (a + b);
                const double fm = excess(m);
                if ((fm < 0) == (fa < 0)) {
                    a = m;
                    fa = fm;
                } else {
                    b = m;
                }
            }
            const double root = 0.5 * (a + b);
            if (!best || std::abs(root - near) < std::abs(*best - near)) best = root;
        }
        low = high;
        fLow = fHigh;
    }
    return best;
}

// Writes a family of Roozeboom isotherms and their label points as a grid file.
std::string roozeboomFile(const std::vector<Curve>& isotherms, std::string_view range,
                          std::string_view title) {
    std::string heading =
        "Isotherms of coexisting magnetite (Xusp) and ilmenite (Xilm), every 100 C from ";
    heading += range;
    heading += ':';
    std::string out;
    startGridFile(out, heading, title);
    out += "# index 0: isotherms; columns XUsp XIlm T(oC)\n";
    appendCurves(out, isotherms, 4, 4);
    startDataSet(out,
                 "index 1: label points (lowest Xusp inside the default axes); columns "
                 "XUsp XIlm T(oC)");
    appendLabels(out, isotherms, Frame{0.02, 0.97, 0.53, 0.985}, true, 4, 4);
    return out;
}

std::string roozeboomIsotherms(RoozeboomModel model, std::string_view title) {
    const std::vector<double> xs = temperatureBandMiddles();
    std::vector<Curve> isotherms;
    for (double temperature : kIsotherms) {
        Curve curve{temperature, {Segment{}}};
        double near = 1.0;
        for (double xUsp : xs) {
            if (const auto xIlm = isothermXilm(model, xUsp, temperature, near)) {
                curve.segments.back().push_back({xUsp, *xIlm});
                near = *xIlm;
            } else if (!curve.segments.back().empty()) {
                curve.segments.emplace_back();
            }
        }
        std::erase_if(curve.segments, [](const Segment& s) { return s.size() < 2; });
        isotherms.push_back(std::move(curve));
    }
    return roozeboomFile(isotherms, "600 to 1200 C", title);
}

// --- Isotherms of the full Ghiorso and Evans (2008) model -----------------------------------

constexpr std::array<double, 8> kModelIsotherms{600, 700, 800, 900, 1000, 1100, 1200, 1300};

std::string fullModelIsothermFile() {
    const std::vector<std::vector<CompositionLine>> lines = fullModelIsotherms(kModelIsotherms);
    std::vector<Curve> isotherms;
    for (std::size_t i = 0; i < kModelIsotherms.size(); ++i) {
        Curve curve{kModelIsotherms[i], {}};
        for (const CompositionLine& line : lines[i]) {
            Segment segment;
            for (const CompositionPoint& p : line) segment.push_back({p.xUsp, p.xIlm});
            curve.segments.push_back(std::move(segment));
        }
        isotherms.push_back(std::move(curve));
    }
    return roozeboomFile(isotherms, "600 to 1300 C",
                         "the full thermodynamic model of Ghiorso and Evans (2008) at 2000 bar, "
                         "solved by the program\n# on a grid of binary compositions");
}

std::string sauerzapfIsotherms() {
    return roozeboomIsotherms(
        RoozeboomModel::Sauerzapf2008,
        "Sauerzapf et al. (2008) temperatures (a calibration that builds on the "
        "experiments of\n# Lattard et al. (2005)), as the program "
        "evaluates them");
}

std::string ghiorsoEvansIsotherms() {
    return roozeboomIsotherms(RoozeboomModel::GhiorsoEvans2008,
                              "Ghiorso and Evans (2008) temperatures, as the program evaluates "
                              "them");
}

// --- Bacon and Hirschmann limits ------------------------------------------------------------

std::string equilibriumLimitLines() {
    std::string out;
    startDataSet(out,
                 "Limits of the Bacon and Hirschmann (1988) Mg/Mn equilibrium test: a "
                 "pair passes when");
    out +=
        "# its magnetite log(Mg/Mn) lies between the two lines at its ilmenite "
        "log(Mg/Mn).\n";
    out += kGeneratedNote;
    out += "# columns: Ilm(Mg/Mn) lower-limit-Mag(Mg/Mn) upper-limit-Mag(Mg/Mn)\n";
    // Straight lines, sampled every 0.1 from -2 to 2 (beyond the plot's axes) so that a shaded
    // band between them is cut cleanly at the axes.
    for (int k = -20; k <= 20; ++k) {
        const double l = k / 10.0;
        const EquilibriumLimits limits = equilibriumLimits(l);
        appendFixed(out, l, 4);
        out += ' ';
        appendFixed(out, limits.lower, 6);
        out += ' ';
        appendFixed(out, limits.upper, 6);
        out += '\n';
    }
    return out;
}

constexpr std::array<TemplateGridFile, 6> kGridFiles{{
    {"TfO2IsoplethsAL85.dat", andersenLindsleyGrid},
    {"TfO2IsoplethsSL81.dat", spencerLindsleyGrid},
    {"XUspXIlmIsothermsS08.dat", sauerzapfIsotherms},
    {"XUspXIlmIsothermsGE08.dat", ghiorsoEvansIsotherms},
    {"XUspXIlmIsothermsGE08model.dat", fullModelIsothermFile},
    {"MgMnLimitsBH88.dat", equilibriumLimitLines},
}};

}  // namespace

const std::array<TemplateGridFile, 6>& templateGridFiles() {
    return kGridFiles;
}

double roozeboomTemperature(RoozeboomModel model, double xUsp, double xIlm) {
    if (model == RoozeboomModel::GhiorsoEvans2008FullModel) {
        return fullModelRoozeboomTemperature(xUsp, xIlm);
    }
    // Cations per formula unit of the binaries: Fe2+(1+x) Ti(x) Fe3+(2-2x) O4 for x Fe2TiO4 with
    // 1-x Fe3O4, and Fe2+(y) Ti(y) Fe3+(2-2y) O3 for y FeTiO3 with 1-y Fe2O3.
    OxideValues magnetite{};
    magnetite[Ti] = xUsp;
    magnetite[Fe3] = 2 * (1 - xUsp);
    magnetite[Fe2] = 1 + xUsp;
    OxideValues ilmenite{};
    ilmenite[Ti] = xIlm;
    ilmenite[Fe2] = xIlm;
    ilmenite[Fe3] = 2 * (1 - xIlm);
    // The regressions on Andersen and Lindsley results stay off, so the temperatures come from
    // the fitted tables alone and the AL85 values given here are not read.
    const NewerModels models =
        computeNewerModels(magnetite, ilmenite, AL85StormerResults{kMissing, kMissing, kMissing},
                           1.0, NewerModelOptions{});
    return model == RoozeboomModel::Sauerzapf2008 ? models.tS08 : models.tGE08;
}

}  // namespace kelvorad
