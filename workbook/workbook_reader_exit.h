#pragma once
// The exit codes by which the workbook reader program tells the program what a reply cannot.

namespace kelvorad {

// It ran out of memory (its address space is limited, see WorkbookReadLimits).
inline constexpr int kReaderOutOfMemory = 3;
// It was started with arguments it does not take.
inline constexpr int kReaderWrongUsage = 2;

}  // namespace kelvorad
