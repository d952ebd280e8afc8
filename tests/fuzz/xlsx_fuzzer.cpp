// Fuzzes the .xlsx reader in this process (the program runs it isolated), so that the
// fuzzer sees what the isolation would hide: aborts, memory errors, endless reads.

#include <cstdint>

#include "fuzz_check.h"
#include "known_faults.h"
#include "orcus_import.h"
#include "workbook_check.h"

using namespace kelvorad;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view content = fuzz::bytesOf(data, size);
    if (fuzz::reachesKnownZipFault(content)) return -1;
    const auto workbook = importZipWorkbook(content, ZipWorkbookFormat::Xlsx);
    if (workbook) fuzz::requireSoundWorkbook(workbook.value());
    return 0;
}
