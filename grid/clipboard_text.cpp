#include "clipboard_text.h"

namespace kelvorad {

std::string clipboardTextForTable(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        out.push_back(text[i] == '\n' ? '\r' : text[i]);
    }
    if (!out.empty() && out.back() == '\r') out.pop_back();
    return out;
}

}  // namespace kelvorad
