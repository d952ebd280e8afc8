#include "calc_arguments.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <iostream>
#include <limits>

namespace kelvorad {

namespace {

std::string validItemList() {
    std::string list;
    for (const MethodItemInfo& info : methodItems()) {
        list += "  " + std::string(info.name.substr(3)) + "\n";
    }
    return list;
}

std::optional<UsageError> checkItem(CalcOptions& o, const std::string& name) {
    const auto item = findMethodItem(name);
    if (!item) {
        return UsageError{"unknown menu item '" + name + "'. Valid items:\n" + validItemList(),
                          false};
    }
    o.checks.setChecked(*item, true);
    return std::nullopt;
}

std::optional<UsageError> ferricIronScheme(CalcOptions& o, const std::string& value) {
    std::string scheme = value;
    std::transform(scheme.begin(), scheme.end(), scheme.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const char* known : {"stormer", "carmichael", "droop"}) {
        if (scheme != known) continue;
        scheme[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(scheme[0])));
        return checkItem(o, "Fe3" + scheme);
    }
    return UsageError{"--fe3 takes stormer, carmichael or droop, not '" + value + "'"};
}

// A plain decimal number, or nullopt.
std::optional<double> parseDecimal(const std::string& text) {
    if (text.empty() || text.size() > 32) return std::nullopt;
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

// A plain decimal number of bars within the full model's range, or nullopt.
std::optional<double> parsePressure(const std::string& text) {
    const std::optional<double> bars = parseDecimal(text);
    if (!bars || !isPressureInRange(*bars)) return std::nullopt;
    return bars;
}

// One of the five buffer pressures checks its own item; any other goes to "Other pressure".
std::optional<UsageError> runPressure(CalcOptions& o, const std::string& value) {
    const std::optional<double> bars = parsePressure(value);
    if (!bars) {
        std::string message = "--pressure takes a number of bars from 1 to 10000, not '";
        message.append(value).append("'");
        return UsageError{message};
    }
    for (auto [pressure, item] : {std::pair{1.0, MethodItem::NNO1},
                                  {1000.0, MethodItem::NNO1000},
                                  {2000.0, MethodItem::NNO2000},
                                  {3000.0, MethodItem::NNO3000},
                                  {5000.0, MethodItem::NNO5000}}) {
        if (*bars == pressure) {
            o.checks.setChecked(item, true);
            return std::nullopt;
        }
    }
    o.checks.setOtherPressureBars(*bars);
    o.checks.setChecked(MethodItem::OtherPressure, true);
    return std::nullopt;
}

std::optional<UsageError> withoutFullModel(CalcOptions& o, const std::string&) {
    o.checks.setChecked(MethodItem::GE08Model, false);
    return std::nullopt;
}

// An option that stores its value in a field of the options.
template <std::string CalcOptions::*field>
std::optional<UsageError> store(CalcOptions& o, const std::string& value) {
    o.*field = value;
    return std::nullopt;
}

// An option that takes no value and turns a flag on.
template <bool CalcOptions::*flag>
std::optional<UsageError> turnOn(CalcOptions& o, const std::string&) {
    o.*flag = true;
    return std::nullopt;
}

// An option whose value is read once every argument is known (the uncertainty options, which
// depend on each other).
template <std::string CalcOptions::UncertaintyArguments::*field>
std::optional<UsageError> storeUncertainty(CalcOptions& o, const std::string& value) {
    o.uncertainty.*field = value;
    return std::nullopt;
}

// A whole number of plain digits within [lowest, highest], or nullopt.
std::optional<std::uint64_t> parseWhole(const std::string& text, std::uint64_t lowest,
                                        std::uint64_t highest) {
    if (text.empty() || text.size() > 20) return std::nullopt;
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    if (value < lowest || value > highest) return std::nullopt;
    return value;
}

constexpr std::uint64_t kMostDraws = 1000000;

// The Monte Carlo settings from the uncertainty options, or the usage error.
std::optional<UsageError> readUncertainty(CalcOptions& o) {
    const CalcOptions::UncertaintyArguments& u = o.uncertainty;
    if (u.draws.empty()) {
        if (!u.seed.empty() || !u.sigmaFile.empty() || !u.sigmaRelative.empty() ||
            !u.sigmaFloor.empty()) {
            return UsageError{
                "--seed, --sigma, --sigma-rel and --sigma-floor go with --uncertainty N"};
        }
        return std::nullopt;
    }
    MonteCarloSettings settings;
    const std::optional<std::uint64_t> draws = parseWhole(u.draws, 2, kMostDraws);
    if (!draws) {
        std::string message = "--uncertainty takes a number of draws from 2 to 1000000, not '";
        message.append(u.draws).append("'");
        return UsageError{message};
    }
    settings.draws = static_cast<std::size_t>(*draws);
    if (!u.seed.empty()) {
        const std::optional<std::uint64_t> seed =
            parseWhole(u.seed, 0, std::numeric_limits<std::uint64_t>::max());
        if (!seed) {
            std::string message =
                "--seed takes a whole number from 0 to 18446744073709551615, not '";
            message.append(u.seed).append("'");
            return UsageError{message};
        }
        settings.seed = *seed;
    }
    if (!u.sigmaFile.empty()) {
        if (!u.sigmaRelative.empty())
            return UsageError{"--sigma and --sigma-rel exclude each other"};
        if (!u.sigmaFloor.empty()) {
            return UsageError{
                "--sigma-floor goes with --sigma-rel or the default sigma; a --sigma "
                "file sets its own floors"};
        }
        SigmaParseResult read = readSigmaFile(u.sigmaFile);
        if (!read.table) return UsageError{"--sigma: " + read.error, false};
        settings.sigma = *read.table;
    } else {
        double percent = kDefaultRelativeSigmaPercent;
        double floor = kDefaultSigmaFloorWt;
        if (!u.sigmaRelative.empty()) {
            const std::optional<double> value = parseDecimal(u.sigmaRelative);
            if (!value || *value < 0) {
                std::string message = "--sigma-rel takes a percentage not below 0, not '";
                message.append(u.sigmaRelative).append("'");
                return UsageError{message};
            }
            percent = *value;
        }
        if (!u.sigmaFloor.empty()) {
            const std::optional<double> value = parseDecimal(u.sigmaFloor);
            if (!value || *value < 0) {
                std::string message = "--sigma-floor takes wt% not below 0, not '";
                message.append(u.sigmaFloor).append("'");
                return UsageError{message};
            }
            floor = *value;
        }
        settings.sigma = uniformRelativeSigma(percent, floor);
    }
    o.monteCarlo = settings;
    return std::nullopt;
}

// The help text's column of descriptions starts after this many characters.
constexpr std::size_t kHelpIndent = 21;

const std::vector<CalcOption> kOptions = {
    {"--check", "", "ITEM",
     "check the method menu item \"mnu\"+ITEM before the run (repeatable), e.g.\n"
     "--check Fe3Droop --check 1NNO --check AL85uC67 --check BH88TestforTO",
     checkItem},
    {"--no-full-model", "", "",
     "leave out the full Ghiorso and Evans (2008) thermodynamic model (on by\n"
     "default: columns 135 to 140, T, log fO2, DeltaNNO, aTiO2, Fe-Mg T, status;\n"
     "DeltaFMQ in 142 to 146); rows are then 134 fields, as without the model",
     withoutFullModel},
    {"--fe3", "", "SCHEME",
     "stormer (default), carmichael or droop (same as --check Fe3Droop, ...)", ferricIronScheme},
    {"--pressure", "", "BARS",
     "pressure from 1 to 10000 bars (default 2000): the full model's and the FMQ\n"
     "buffer's; the older calibrations' NNO buffer takes the nearest of 1, 1000,\n"
     "2000, 3000 and 5000",
     runPressure},
    {"--rows", "", "FILE",
     "write one results row per pair: 147 TAB-separated fields (134 without the\n"
     "full model), LF-terminated, no header (\"-\" for standard output)",
     store<&CalcOptions::rowsPath>},
    {"--table", "", "FILE",
     "write the whole results table: its column-number and header rows, then the\n"
     "results rows, 211 TAB-separated columns each (\"-\" for standard output)",
     store<&CalcOptions::tablePath>},
    {"--xlsx", "", "FILE",
     "write the whole results table (both header rows, 211 columns) into a new\n"
     "workbook; numbers are stored as numbers, all 15 digits; rows whose pair\n"
     "failed or could not take the equilibrium test, or with a result outside a\n"
     "calibration, are tinted as in the window",
     store<&CalcOptions::xlsxPath>},
    {"--run-record", "", "FILE",
     "write the record of the run as JSON (\"-\" for standard output): program\n"
     "version, date and time, the input file's path and SHA-256, ferric-iron\n"
     "scheme, pressure, checked menu items, full model on or off, and the first\n"
     "and last results row (numbered as the lines of --table and the rows of\n"
     "the --xlsx workbook's first sheet). --xlsx writes the same record on the\n"
     "workbook's sheet \"Run\"",
     store<&CalcOptions::runRecordPath>},
    {"--plot-dir", "", "DIR",
     "folder of the seven plot data files written by every run (default: the\n"
     "current folder; made, with its parents, when missing): TlogfO2.dat\n"
     "TfO2SL81.dat TfO2BL64Grid.dat XUspXIlm.dat MgMnIlmMagBH88.dat TiR2R3.dat\n"
     "TDeltaNNO.dat",
     store<&CalcOptions::plotDir>},
    {"--uncertainty", "", "N",
     "propagate the analytical uncertainty of the analyses by Monte Carlo: N\n"
     "perturbed copies of every pair (2 to 1000000), each through the whole run;\n"
     "adds three columns per estimate after column 146 to --table and --xlsx,\n"
     "headed by the estimate's header with \" sd\", \" p2.5\" and \" p97.5\" (its\n"
     "one sigma and 95 % interval), a table of \"value +/- sigma\" to the summary\n"
     "and the sigma files TlogfO2Sigma.dat and TDeltaNNOSigma.dat to the plot\n"
     "folder (the graphs' error bars); --rows stays as it is",
     storeUncertainty<&CalcOptions::UncertaintyArguments::draws>},
    {"--seed", "", "S",
     "seed of the draws (default 1): the same seed, input and N give the same\n"
     "numbers on any machine and thread count",
     storeUncertainty<&CalcOptions::UncertaintyArguments::seed>},
    {"--sigma", "", "FILE",
     "the one-sigma error of each oxide of each phase, from a text file (see the\n"
     "manual); default: 2 % of the value, at least 0.03 wt%",
     storeUncertainty<&CalcOptions::UncertaintyArguments::sigmaFile>},
    {"--sigma-rel", "", "PCT",
     "one relative error for every oxide, PCT % of the value (floor 0.03 wt%)",
     storeUncertainty<&CalcOptions::UncertaintyArguments::sigmaRelative>},
    {"--sigma-floor", "", "WT", "the smallest sigma, wt%, with --sigma-rel or the default",
     storeUncertainty<&CalcOptions::UncertaintyArguments::sigmaFloor>},
    {"--summary", "", "", "print the summary of the main estimates besides --rows or --table",
     turnOn<&CalcOptions::summary>},
    {"--strict", "", "",
     "write nothing and end with exit status 1 when an oxide cell is not a plain\n"
     "number (such cells are named on standard error either way)",
     turnOn<&CalcOptions::strict>},
    {"--help", "-h", "", "this text",
     nullptr},  // answeredHelpOrVersion() finds it before the arguments are read
    {"--version", "", "", "print the version and the source revision of the build", nullptr},
};

const CalcOption* findOption(const std::string& argument) {
    for (const CalcOption& option : kOptions) {
        if (argument == option.name || (!option.shortName.empty() && argument == option.shortName))
            return &option;
    }
    return nullptr;
}

// The options part of the help text, from the table.
std::string optionsHelp() {
    std::string text;
    for (const CalcOption& option : kOptions) {
        std::string usage = "  ";
        if (!option.shortName.empty()) {
            usage += option.shortName;
            usage += ", ";
        }
        usage += option.name;
        if (!option.valueName.empty()) {
            usage += ' ';
            usage += option.valueName;
        }
        usage.resize(std::max(usage.size() + 1, kHelpIndent), ' ');
        text += usage;
        for (char c : option.help) {
            text.push_back(c);
            if (c == '\n') text.append(kHelpIndent, ' ');
        }
        text.push_back('\n');
    }
    return text;
}

std::optional<CalcOptions> fail(const UsageError& error) {
    std::cerr << "kelvorad calc: " << error.text;
    if (error.pointToHelp) std::cerr << "\n(see 'kelvorad calc --help')\n";
    return std::nullopt;
}

}  // namespace

const std::vector<CalcOption>& calcOptions() {
    return kOptions;
}

std::optional<CalcOptions> parseCalcArguments(const std::vector<std::string>& args) {
    CalcOptions o;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (const CalcOption* option = findOption(a)) {
            std::string value;
            if (!option->valueName.empty()) {
                if (i + 1 >= args.size()) return fail({"option " + a + " needs a value"});
                value = args[++i];
            }
            if (!option->apply) continue;
            if (auto error = option->apply(o, value)) return fail(*error);
        } else if (!a.empty() && a[0] == '-' && a != "-") {
            return fail({"unknown option '" + a + "'"});
        } else if (o.input.empty()) {
            o.input = a;
        } else {
            return fail({"more than one input file ('" + o.input + "', '" + a + "')"});
        }
    }
    if (o.input.empty()) return fail({"no input file"});
    if (auto error = readUncertainty(o)) return fail(*error);
    if (o.rowsPath == "-" && o.tablePath == "-") {
        return fail({"--rows and --table cannot both write to standard output"});
    }
    if (o.runRecordPath == "-" && (o.rowsPath == "-" || o.tablePath == "-")) {
        return fail({"--run-record cannot share standard output with --rows - or --table -"});
    }
    if (o.summary && o.runRecordPath == "-") {
        return fail({"--summary cannot share standard output with --run-record -"});
    }
    if (o.summary && (o.rowsPath == "-" || o.tablePath == "-")) {
        return fail({"--summary cannot share standard output with --rows - or --table -"});
    }
    return o;
}

std::string calcHelp() {
    std::string text = R"(usage: kelvorad calc INPUT [options]

Calculates every magnetite-ilmenite pair of INPUT: structural formulae with ferric iron,
end-member fractions, temperatures and oxygen fugacities by every calibration, DeltaNNO and the
Bacon and Hirschmann (1988) equilibrium test, exactly as the window's "Open File to Calculate".

INPUT
  an analysis file (.mi), a workbook (.xlsx, .xls, .ods) whose active sheet mirrors the
  analysis table (the template workbooks Kelvorad.xlsx/.xls), or a text file of pairs (.tsv,
  .csv, .txt; TAB-, semicolon- or comma-separated, as its first line shows; fields may be
  double-quoted), one pair per line in the analysis table's layout: magnetite sample, 16 oxides,
  spacer, ilmenite sample, 16 oxides (SiO2 TiO2 Al2O3 V2O3 Cr2O3 Nb2O3 Fe2O3 FeO MnO NiO ZnO MgO
  CaO Na2O K2O BaO, wt%). A first line starting with "Sample" or naming columns is a header;
  columns in another order are then taken by their names: the analysis table's headers
  ("FeO [M]", "Sample [I]") or spellings such as mt_FeO, Ilm TiO2, FeOt [M], FeO* (total iron as
  FeO); a single "sample" column names both analyses. Columns naming nothing and oxides without
  a column (read as blank) are named on standard error; two columns naming one cell are an
  error. Text files have no row limit; an analysis file holds at most 350 pairs. Rows whose
  cells are all blank are skipped.
  A workbook is read by the workbook reader, a process of its own limited to 10 s and 1 GB; a
  damaged workbook (one whose parts end early, say) is refused with a message naming it, and
  cells outside the table's 351 rows by 36 columns are counted on standard error.
  Oxide cells are read as their leading number; a decimal comma ("46,45") counts as a decimal
  point. Each cell that is not a plain number is named on standard error with the value used.

options
)";
    text += optionsHelp();
    text += R"(
Without --rows or --table, a summary of the main estimates is printed.

exit status
  0 done; 1 the input could not be read (nothing is written), with --strict an oxide cell is
  not a plain number (nothing is written), or an output file could not be written (the run
  still completes); 2 wrong usage, such as an unknown menu item, or a header naming one
  analysis cell twice (nothing is written).

menu items for --check
)";
    text += validItemList();
    return text;
}

}  // namespace kelvorad
