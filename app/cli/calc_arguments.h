#pragma once
// The arguments of "kelvorad calc", read through one table of options: each option's name,
// the value it takes, its help text and what it sets. A new option is one more row of the
// table (calc_arguments.cpp).

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "method_options.h"
#include "monte_carlo_run.h"

namespace kelvorad {

struct CalcOptions {
    std::string input;
    MethodChecks checks = startingMethodChecks();
    std::string rowsPath;
    std::string tablePath;
    std::string xlsxPath;
    std::string runRecordPath;
    std::string plotDir = ".";
    bool summary = false;
    bool strict = false;
    // Set by --uncertainty N (with --seed, --sigma, --sigma-rel, --sigma-floor): the Monte Carlo
    // run that adds the uncertainty columns; none without it.
    std::optional<MonteCarloSettings> monteCarlo;
    // The uncertainty options as given, read into monteCarlo once every argument is known.
    struct UncertaintyArguments {
        std::string draws, seed, sigmaFile, sigmaRelative, sigmaFloor;
    } uncertainty;
};

// What a wrong argument prints on standard error after "kelvorad calc: ".
struct UsageError {
    std::string text;
    bool pointToHelp = true;  // ends with a line pointing to --help
};

struct CalcOption {
    std::string_view name;       // "--rows"
    std::string_view shortName;  // "-h", or empty
    std::string_view valueName;  // "FILE"; empty when the option takes no value
    std::string_view help;       // its lines in the help text
    // Sets what the option asks for (`value` is empty when it takes none); null for --help,
    // which answeredHelpOrVersion() finds before the arguments are read.
    std::optional<UsageError> (*apply)(CalcOptions& options, const std::string& value);
};

// The options, in the order the help text lists them.
const std::vector<CalcOption>& calcOptions();

// Reads the arguments; on a usage error prints it and returns nullopt.
std::optional<CalcOptions> parseCalcArguments(const std::vector<std::string>& arguments);

// The help text of "kelvorad calc".
std::string calcHelp();

}  // namespace kelvorad
