#include "ods_settings.h"

#include <orcus/zip_archive.hpp>
#include <orcus/zip_archive_stream.hpp>

#include <exception>
#include <vector>

namespace kelvorad {

namespace {

// Replaces the five predefined XML entities; other references are left as they are.
std::string decodeXmlText(std::string_view text) {
    static constexpr std::pair<std::string_view, char> kEntities[] = {
        {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}};
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        bool replaced = false;
        if (text[i] == '&') {
            for (const auto& [entity, character] : kEntities) {
                if (text.substr(i, entity.size()) == entity) {
                    out += character;
                    i += entity.size() - 1;
                    replaced = true;
                    break;
                }
            }
        }
        if (!replaced) out += text[i];
    }
    return out;
}

}  // namespace

std::optional<std::string> activeTableOfOpenDocument(std::string_view package) {
    std::vector<unsigned char> settings;
    try {
        orcus::zip_archive_stream_blob stream(reinterpret_cast<const uint8_t*>(package.data()),
                                              package.size());
        orcus::zip_archive archive(&stream);
        archive.load();
        if (!archive.read_file_entry("settings.xml", settings)) return std::nullopt;
    } catch (const std::exception&) {
        return std::nullopt;
    }
    const std::string_view xml(reinterpret_cast<const char*>(settings.data()), settings.size());
    // The item looks like <config:config-item config:name="ActiveTable" ...>Name</...>.
    const auto item = xml.find("config:name=\"ActiveTable\"");
    if (item == std::string_view::npos) return std::nullopt;
    const auto start = xml.find('>', item);
    if (start == std::string_view::npos) return std::nullopt;
    const auto end = xml.find('<', start + 1);
    if (end == std::string_view::npos) return std::nullopt;
    return decodeXmlText(xml.substr(start + 1, end - start - 1));
}

}  // namespace kelvorad
