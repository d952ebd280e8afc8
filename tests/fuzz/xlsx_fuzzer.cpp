// Fuzzes the .xlsx reader in this process (the program runs it isolated), so that the
// fuzzer sees what the isolation would hide: aborts, memory errors, endless reads.

#include <cstdint>

#include "fuzz_check.h"
#include "workbook_check.h"

using namespace kelvorad;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return fuzz::readZipWorkbookOnce(fuzz::bytesOf(data, size), ZipWorkbookFormat::Xlsx);
}
