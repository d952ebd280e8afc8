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

// Appends a number field: " 800 ", "-10 ", " NaN "; a blank first when the line ends in text.
void appendPlotNumber(std::string& line, double value);
// Appends a text field, in double quotes when it is empty or holds whitespace; a blank first
// when the line ends in text.
void appendPlotText(std::string& line, std::string_view text);

// The seven files of one run in a directory. Each is written as an AtomicFile: under a
// temporary name, put in place by close(), so a failed run leaves the previous file whole.
// Lines are buffered and written as they accumulate. A file that cannot be created or written
// loses its lines only; the problems are reported by close().
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

    // Data lines each file received so far (header lines not counted).
    const std::array<long, kPlotFileCount>& lineCounts() const { return lineCounts_; }

    // Writes what is buffered and puts the files in place in creation order. Returns one message
    // per file that could not be created or written ("TlogfO2.dat: Permission denied"); empty when
    // every file was written. Calling it again returns the same list.
    std::vector<std::string> close();

  private:
    void flush(int file);
    void countLines(int file, std::size_t from);
    void fail(int file, const std::string& reason);

    std::array<AtomicFile, kPlotFileCount> files_;
    PlotBuffers buffers_;
    std::array<std::string, kPlotFileCount> errors_;
    std::array<long, kPlotFileCount> lineCounts_{};
    bool closed_ = false;
};

}  // namespace kelvorad
