// kelvorad-read-workbook: the workbook reader. Reads one workbook file (.xlsx, .xls, .ods) and
// writes its cells on standard output as one reply (workbook_bytes.h) for the program that
// started it (workbook_reader.h), which sets the limits:
//   kelvorad-read-workbook [--memory-limit BYTES] [--result-limit BYTES] [--] FILE
// Its exit code is 0 when it replied (with the workbook or a failure message), else one of
// workbook_reader_exit.h. Messages of the libraries it uses go to standard error, as they came.
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <optional>
#include <string>
#include <string_view>

#include "workbook_bytes.h"
#include "workbook_import.h"
#include "workbook_reader_exit.h"

namespace {

using kelvorad::ReaderReply;

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif
#else
constexpr bool kAddressSanitizer = false;
#endif

struct Arguments {
    std::uint64_t memoryLimit = 1ull << 30;
    std::uint64_t resultLimit = 256ull << 20;
    std::string file;
};

std::optional<std::uint64_t> byteCount(const char* text) {
    char* end = nullptr;
    const unsigned long long value = std::strtoull(text, &end, 10);
    if (end == text || *end != '\0') return std::nullopt;
    return value;
}

std::optional<Arguments> parseArguments(int argc, char** argv) {
    Arguments arguments;
    int i = 1;
    for (; i < argc; ++i) {
        const std::string_view option = argv[i];
        if (option == "--") {
            ++i;
            break;
        }
        if ((option == "--memory-limit" || option == "--result-limit") && i + 1 < argc) {
            const auto value = byteCount(argv[++i]);
            if (!value) return std::nullopt;
            (option == "--memory-limit" ? arguments.memoryLimit : arguments.resultLimit) = *value;
        } else if (option.starts_with("--")) {
            return std::nullopt;
        } else {
            break;
        }
    }
    if (i + 1 != argc) return std::nullopt;
    arguments.file = argv[i];
    return arguments;
}

// An allocation that fails ends the reader at once with its own exit code, wherever it
// happens: a library that catches every exception could otherwise turn it into some other
// failure.
[[noreturn]] void outOfMemory() {
    _exit(kelvorad::kReaderOutOfMemory);
}

void limitMemory(std::uint64_t bytes) {
    if (kAddressSanitizer) return;  // its shadow memory alone takes far more address space
    const rlimit limit{bytes, bytes};
    setrlimit(RLIMIT_AS, &limit);
}

bool writeAll(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = write(STDOUT_FILENO, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

}  // namespace

// Sanitizer builds: the .xls library leaks a few bytes on some damaged files. That is not this
// program's to mend, and the reader ends right after; its memory errors are still reported.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfreexl.so\n";
}

int main(int argc, char** argv) {
    const auto arguments = parseArguments(argc, argv);
    if (!arguments) {
        std::fprintf(stderr,
                     "usage: kelvorad-read-workbook [--memory-limit BYTES] [--result-limit BYTES] "
                     "[--] FILE\n");
        return kelvorad::kReaderWrongUsage;
    }
    // Ended with the program that started it, which alone would stop it at its time limit
    // (it has a process group of its own, which an interrupt at the terminal does not reach).
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() == 1) return 1;            // it is gone already: nobody waits for a reply
    close_range(STDERR_FILENO + 1, ~0U, 0);  // descriptors the caller let through by mistake
    std::set_new_handler(outOfMemory);
    limitMemory(arguments->memoryLimit);

    auto workbook = kelvorad::importWorkbookFile(arguments->file);
    ReaderReply reply;
    if (workbook) {
        reply = ReaderReply{true, kelvorad::encodeWorkbook(workbook.value())};
        if (reply.content.size() > arguments->resultLimit) {
            reply = ReaderReply{false, arguments->file +
                                           ": the workbook is too large (its cells take more "
                                           "than " +
                                           kelvorad::byteSizeText(arguments->resultLimit) + ")"};
        }
    } else {
        reply = ReaderReply{false, workbook.error()};
    }
    return writeAll(kelvorad::encodeReaderReply(reply)) ? 0 : 1;
}
