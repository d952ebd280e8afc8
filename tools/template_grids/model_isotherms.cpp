#include "model_isotherms.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <utility>

#include "ge08_model.h"
#include "oxide_data.h"

namespace kelvorad {

namespace {

using ge08::Ge08WarmStart;

// The grid the model is solved on: Xusp 0.01 to 0.98 every 0.01; Xilm 0.400 to 0.995 every
// 0.005, and 0.998 (the coolest isotherms lie close to pure ilmenite).
std::vector<double> uspGrid() {
    std::vector<double> xs;
    for (int k = 1; k <= 98; ++k) xs.push_back(0.01 * k);
    return xs;
}

std::vector<double> ilmGrid() {
    std::vector<double> ys;
    for (int k = 0; k <= 119; ++k) ys.push_back(0.4 + 0.005 * k);
    ys.push_back(0.998);
    return ys;
}

// A binary phase as the model reads it, wt% in the oxide order of kOxides, from its cations per
// formula unit: xUsp Fe2TiO4 + (1 - xUsp) Fe3O4 is Fe2+(1 + x) Ti(x) Fe3+(2 - 2x) O4, and
// xIlm FeTiO3 + (1 - xIlm) Fe2O3 is Fe2+(y) Ti(y) Fe3+(2 - 2y) O3.
std::array<double, 16> binaryWt(double titanium, double ferrous, double ferric) {
    std::array<double, 16> wt{};
    wt[TiO2] = titanium * kOxides[TiO2].molecularWeight;
    wt[FeO] = ferrous * kOxides[FeO].molecularWeight;
    wt[Fe2O3] = ferric / 2 * kOxides[Fe2O3].molecularWeight;
    const double total = wt[TiO2] + wt[FeO] + wt[Fe2O3];
    for (double& v : wt) v *= 100 / total;
    return wt;
}

// `hint` and `reached` are the model's warm starts (either may be null).
double modelTemperature(double xUsp, double xIlm, const Ge08WarmStart* hint,
                        Ge08WarmStart* reached) {
    const ge08::Ge08Result result = ge08::computeGe08Model(binaryWt(xUsp, 1 + xUsp, 2 * (1 - xUsp)),
                                                           binaryWt(xIlm, xIlm, 2 * (1 - xIlm)),
                                                           kRoozeboomPressureBars, hint, reached);
    return result.status == ge08::Ge08Status::converged ? result.temperatureC : std::nan("");
}

// The model solved at every node of the grid, with where each solve ended (the warm start of
// the solves near that node).
struct ModelGrid {
    std::vector<double> xs, ys;
    std::vector<double> temperature;  // node (i, j) at i * ys.size() + j
    std::vector<Ge08WarmStart> reached;

    std::size_t node(std::size_t i, std::size_t j) const { return i * ys.size() + j; }
    CompositionPoint at(std::size_t i, std::size_t j) const { return {xs[i], ys[j]}; }
};

// Each column (one Xusp) is solved from low to high Xilm, each solve started where the one
// before it ended.
ModelGrid solveGrid() {
    ModelGrid grid{uspGrid(), ilmGrid(), {}, {}};
    grid.temperature.resize(grid.xs.size() * grid.ys.size());
    grid.reached.resize(grid.temperature.size());
    for (std::size_t i = 0; i < grid.xs.size(); ++i) {
        const Ge08WarmStart* hint = nullptr;
        for (std::size_t j = 0; j < grid.ys.size(); ++j) {
            const std::size_t n = grid.node(i, j);
            grid.temperature[n] = modelTemperature(grid.xs[i], grid.ys[j], hint, &grid.reached[n]);
            if (std::isfinite(grid.temperature[n])) hint = &grid.reached[n];
        }
    }
    return grid;
}

// A side of a grid cell from node `from` to the next node along Xusp or along Xilm.
struct Edge {
    std::size_t i, j;
    bool alongIlm;
    auto operator<=>(const Edge&) const = default;
};

// The point of an edge whose ends lie on either side of `level` where the model gives `level`:
// bisection on the model to 1e-7 in the composition that varies (the points are written to 4
// decimals); where the model gives nothing inside the edge, the linear interpolation of the
// bracket reached so far.
CompositionPoint crossing(const ModelGrid& grid, const Edge& edge, double level) {
    const std::size_t i2 = edge.alongIlm ? edge.i : edge.i + 1;
    const std::size_t j2 = edge.alongIlm ? edge.j + 1 : edge.j;
    const std::size_t start = grid.node(edge.i, edge.j);
    CompositionPoint a = grid.at(edge.i, edge.j), b = grid.at(i2, j2);
    double fa = grid.temperature[start] - level;
    double fb = grid.temperature[grid.node(i2, j2)] - level;
    const auto gap = [&] { return edge.alongIlm ? b.xIlm - a.xIlm : b.xUsp - a.xUsp; };
    while (gap() > 1e-7) {
        const CompositionPoint m{(a.xUsp + b.xUsp) / 2, (a.xIlm + b.xIlm) / 2};
        const double fm = modelTemperature(m.xUsp, m.xIlm, &grid.reached[start], nullptr) - level;
        if (!std::isfinite(fm)) break;
        if ((fm < 0) == (fa < 0)) {
            a = m;
            fa = fm;
        } else {
            b = m;
            fb = fm;
        }
    }
    const double t = fa / (fa - fb);
    return {a.xUsp + t * (b.xUsp - a.xUsp), a.xIlm + t * (b.xIlm - a.xIlm)};
}

// Marching squares over the grid for one temperature: each cell whose four nodes the model
// solved and whose nodes lie on both sides of `level` holds one piece of the isotherm (two at a
// saddle, split as the mean of the four nodes says) between two of its edges; pieces that
// share an edge are joined into lines.
std::vector<CompositionLine> traceIsotherm(const ModelGrid& grid, double level) {
    using Piece = std::pair<Edge, Edge>;
    std::vector<Piece> pieces;
    for (std::size_t i = 0; i + 1 < grid.xs.size(); ++i) {
        for (std::size_t j = 0; j + 1 < grid.ys.size(); ++j) {
            // Nodes counter-clockwise from (i, j); edge k runs from node k to node k + 1.
            const std::array<double, 4> t{
                grid.temperature[grid.node(i, j)], grid.temperature[grid.node(i + 1, j)],
                grid.temperature[grid.node(i + 1, j + 1)], grid.temperature[grid.node(i, j + 1)]};
            if (!std::all_of(t.begin(), t.end(), [](double v) { return std::isfinite(v); })) {
                continue;
            }
            const std::array<Edge, 4> edges{Edge{i, j, false}, Edge{i + 1, j, true},
                                            Edge{i, j + 1, false}, Edge{i, j, true}};
            std::array<bool, 4> above{};
            for (int k = 0; k < 4; ++k) above[k] = t[k] >= level;
            std::vector<int> cut;
            for (int k = 0; k < 4; ++k) {
                if (above[k] != above[(k + 1) % 4]) cut.push_back(k);
            }
            if (cut.size() == 2) {
                pieces.push_back({edges[cut[0]], edges[cut[1]]});
            } else if (cut.size() == 4) {
                const bool middleAbove = (t[0] + t[1] + t[2] + t[3]) / 4 >= level;
                if (middleAbove == above[0]) {  // nodes 1 and 3 stand alone
                    pieces.push_back({edges[0], edges[1]});
                    pieces.push_back({edges[2], edges[3]});
                } else {  // nodes 0 and 2 stand alone
                    pieces.push_back({edges[3], edges[0]});
                    pieces.push_back({edges[1], edges[2]});
                }
            }
        }
    }

    std::map<Edge, std::vector<std::size_t>> piecesAt;
    for (std::size_t p = 0; p < pieces.size(); ++p) {
        piecesAt[pieces[p].first].push_back(p);
        piecesAt[pieces[p].second].push_back(p);
    }
    std::map<Edge, CompositionPoint> points;
    const auto pointOf = [&](const Edge& edge) {
        auto found = points.find(edge);
        if (found == points.end()) found = points.emplace(edge, crossing(grid, edge, level)).first;
        return found->second;
    };

    std::vector<bool> used(pieces.size(), false);
    std::vector<CompositionLine> lines;
    const auto walkFrom = [&](Edge edge, std::size_t piece) {
        CompositionLine line{pointOf(edge)};
        while (!used[piece]) {
            used[piece] = true;
            edge = pieces[piece].first == edge ? pieces[piece].second : pieces[piece].first;
            line.push_back(pointOf(edge));
            for (std::size_t next : piecesAt[edge]) {
                if (!used[next]) piece = next;
            }
        }
        lines.push_back(std::move(line));
    };
    // Open lines first, from their ends at the border of the solved part of the grid; then
    // closed ones.
    for (const auto& [edge, at] : piecesAt) {
        if (at.size() == 1 && !used[at[0]]) walkFrom(edge, at[0]);
    }
    for (std::size_t p = 0; p < pieces.size(); ++p) {
        if (!used[p]) walkFrom(pieces[p].first, p);
    }
    return lines;
}

}  // namespace

double fullModelRoozeboomTemperature(double xUsp, double xIlm) {
    return modelTemperature(xUsp, xIlm, nullptr, nullptr);
}

// The model's temperature is the root T of the Fe-Ti exchange (Ghiorso and Evans 2008,
// Am. J. Sci. 308, 957-1039)
//   Fe2TiO4 (spinel) + Fe2O3 (rhombohedral) = FeTiO3 (rhombohedral) + Fe3O4 (spinel),
//   dG(T, P) = dG0(T, P) + RT ln(a_FeTiO3 a_Fe3O4 / (a_Fe2TiO4 a_Fe2O3)) = 0,
// with the activities of their ordered spinel and rhombohedral solutions. No closed form gives
// the compositions of a given T, so each isotherm is the level line of T over a grid of
// compositions on which the model is solved (solveGrid), found by marching squares and placed
// on each cell edge by bisection on the model (traceIsotherm). At fixed Xusp the model's T
// rises with Xilm to a maximum and then falls (steeply again below the ilmenite's
// order-disorder transition), so an isotherm can turn back on itself; a level line follows it
// where tracing one Xilm per Xusp would jump between branches.
std::vector<std::vector<CompositionLine>> fullModelIsotherms(
    std::span<const double> temperaturesC) {
    const ModelGrid grid = solveGrid();
    std::vector<std::vector<CompositionLine>> isotherms;
    for (double level : temperaturesC) isotherms.push_back(traceIsotherm(grid, level));
    return isotherms;
}

}  // namespace kelvorad
