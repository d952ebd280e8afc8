#pragma once
// The seven plot data files every run writes for the graph templates: whitespace-separated
// columns under a header line, one line group per pair in table order, lines ended by CR LF.
// Which pairs reach a file depends on fixed plausibility windows and, for two files, on the
// method options. A number not negative is preceded by one space, a negative one by its minus
// sign, and every number is followed by one space; a missing or withdrawn number is written as
// NaN with the same spacing. A text field that is empty or holds a blank is written in double
// quotes, so that every line keeps its columns. A field that would touch the text field before
// it (a negative number after a sample name) gets one blank first: every field is parted from
// its neighbours by white space.

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "atomic_file.h"
#include "method_options.h"
#include "pair_result.h"

namespace kelvorad {

enum PlotFileId : int {
    kTlogfO2,
    kTfO2SL81,
    kTfO2BL64Grid,
    kXUspXIlm,
    kMgMnIlmMagBH88,
    kTiR2R3,
    kTDeltaNNO,
    kPlotFileCount
};

struct PlotFileSpec {
    std::string_view fileName;
    std::string_view header;  // the header names joined by single spaces
};

// The files in the order they are created and closed.
const std::array<PlotFileSpec, kPlotFileCount>& plotFiles();

using PlotBuffers = std::array<std::string, kPlotFileCount>;

// Appends the lines one pair gives each file (the T-DeltaNNO file gets a fourth line per pair
// with the full Ghiorso and Evans (2008) model when the pair carries it). Returns true when it
// wrote a Sauerzapf or a Ghiorso-Evans line to the T-DeltaNNO file (which unchecks the Andersen and
// Lindsley item).
bool appendPlotLines(PlotBuffers& buffers, const PairResult& result, const MethodChecks& checks);

// The one-sigma spread of a pair's plotted values from a Monte Carlo run (missing where the run
// did not give one): the T-log fO2 and T-DeltaNNO graphs draw them as error bars.
struct PlotSigmas {
    double tAL85S83 = kMissing, logFO2AL85S83 = kMissing, deltaNNOAL85S83 = kMissing;
    double tS08 = kMissing, deltaNNOS08 = kMissing;
    double tGE08 = kMissing, deltaNNOGE08 = kMissing;
    double tFullModel = kMissing, deltaNNOFullModel = kMissing;
};

// The companion files of TlogfO2.dat and TDeltaNNO.dat: one line for each of their data lines,
// in the same order, with the sigma of the line's T and of its log fO2 or DeltaNNO (NaN for a
// line whose method has no sigma), under a header line, lines ended by CR LF.
enum PlotSigmaFileId : int { kTlogfO2Sigma, kTDeltaNNOSigma, kPlotSigmaFileCount };
const std::array<PlotFileSpec, kPlotSigmaFileCount>& plotSigmaFiles();
using PlotSigmaBuffers = std::array<std::string, kPlotSigmaFileCount>;

// As above, and the matching lines of the two companion files.
bool appendPlotLines(PlotBuffers& buffers, const PairResult& result, const MethodChecks& checks,
                     const PlotSigmas& sigmas, PlotSigmaBuffers& sigmaLines);

// Deletes the companion files from `directory`, so that error bars of an earlier run are never
// drawn over the points of a run without them. A file that is not there is no problem.
void removePlotSigmaFiles(const std::filesystem::path& directory);

// Appends a number field: " 800 ", "-10 ", " NaN "; a blank first when the line ends in text.
void appendPlotNumber(std::string& line, double value);
// Appends a text field, in double quotes when it is empty or holds whitespace; a blank first
// when the line ends in text.
void appendPlotText(std::string& line, std::string_view text);

// The seven files of one run in a directory, and the companion sigma files when asked for. Each
// is written as an AtomicFile: under a temporary name, put in place by close(), so a failed run
// leaves the previous file whole. Creating the writer deletes the companion sigma files of an
// earlier run. Lines are buffered and written as they accumulate. A file that cannot be
// created or written loses its lines only; the problems are reported by close().
class PlotDataWriter {
  public:
    explicit PlotDataWriter(const std::filesystem::path& directory);
    ~PlotDataWriter();
    PlotDataWriter(const PlotDataWriter&) = delete;
    PlotDataWriter& operator=(const PlotDataWriter&) = delete;

    // Adds a pair's lines; returns what appendPlotLines returns.
    bool addPair(const PairResult& result, const MethodChecks& checks);

    // Adds lines made by appendPlotLines elsewhere (several pairs, in table order).
    void addLines(const PlotBuffers& lines);

    // Creates the two companion sigma files (after the writer was made: it deletes them) and
    // writes their headers; from then on addSigmaLines() fills them. Their problems are
    // reported by close() with the others'.
    void writeSigmaFiles(const std::filesystem::path& directory);
    void addSigmaLines(const PlotSigmaBuffers& lines);

    // Data lines each file received so far (header lines not counted).
    const std::array<long, kPlotFileCount>& lineCounts() const { return lineCounts_; }

    // Writes what is buffered and puts the files in place in creation order. Returns one message
    // per file that could not be created or written ("TlogfO2.dat: Permission denied"); empty when
    // every file was written. Calling it again returns the same list.
    std::vector<std::string> close();

  private:
    static constexpr int kAllFiles = int{kPlotFileCount} + int{kPlotSigmaFileCount};
    void open(int file, const std::filesystem::path& path, std::string_view header);
    void flush(int file);
    void countLines(int file, std::size_t from);
    void fail(int file, const std::string& reason);
    std::string_view fileName(int file) const;

    // The seven data files, then the two companion files (closed unless asked for).
    std::array<AtomicFile, kAllFiles> files_;
    std::array<std::string, kAllFiles> buffers_;
    std::array<std::string, kAllFiles> errors_;
    std::array<long, kPlotFileCount> lineCounts_{};
    bool closed_ = false;
};

}  // namespace kelvorad
