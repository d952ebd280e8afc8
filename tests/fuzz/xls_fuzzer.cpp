// Fuzzes the .xls reader in this process (the program runs it in the workbook reader), so that
// the fuzzer sees the memory errors the child would contain. The reader refuses the inputs that
// reach the .xls library's known faults before the library sees them, so none is skipped here.

#include <cstdint>

#include "fuzz_check.h"
#include "workbook_check.h"
#include "xls_import.h"

using namespace kelvorad;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view content = fuzz::bytesOf(data, size);
    static const fuzz::ScratchFileRemover remover{fuzz::scratchFile(".xls")};
    const auto& path = fuzz::scratchFile(".xls");
    fuzz::writeFile(path, content);
    const auto workbook = importXlsWorkbook(path, content);
    if (workbook) fuzz::requireSoundWorkbook(workbook.value());
    return 0;
}
