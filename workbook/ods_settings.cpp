#include "ods_settings.h"

#include <orcus/sax_ns_parser.hpp>
#include <orcus/xml_namespace.hpp>

#include <exception>

namespace kelvorad {

namespace {

constexpr std::string_view kConfigNamespace = "urn:oasis:names:tc:opendocument:xmlns:config:1.0";

// Finds the first <config:config-item config:name="ActiveTable"> and keeps its text. The
// namespace is told by its name, not by the prefix a file happens to give it.
class ActiveTableFinder : public orcus::sax_ns_handler {
  public:
    const std::optional<std::string>& found() const { return found_; }

    // Attributes arrive before the element they belong to.
    void attribute(std::string_view, std::string_view) {}
    void attribute(const orcus::sax_ns_parser_attribute& attribute) {
        if (isConfig(attribute.ns) && attribute.name == "name") {
            namesActiveTable_ = attribute.value == "ActiveTable";
        }
    }
    void start_element(const orcus::sax_ns_parser_element& element) {
        inItem_ =
            !found_ && namesActiveTable_ && isConfig(element.ns) && element.name == "config-item";
        if (inItem_) text_.clear();
        namesActiveTable_ = false;
    }
    void characters(std::string_view text, bool) {
        if (inItem_) text_ += text;
    }
    void end_element(const orcus::sax_ns_parser_element&) {
        if (inItem_) found_ = text_;
        inItem_ = false;
    }

  private:
    static bool isConfig(orcus::xmlns_id_t ns) {
        return ns && ns != orcus::XMLNS_UNKNOWN_ID && std::string_view(ns) == kConfigNamespace;
    }

    bool namesActiveTable_ = false;
    bool inItem_ = false;
    std::string text_;
    std::optional<std::string> found_;
};

}  // namespace

std::optional<std::string> activeTableOfOpenDocument(std::string_view settingsXml) {
    ActiveTableFinder finder;
    try {
        orcus::xmlns_repository namespaces;
        orcus::xmlns_context context = namespaces.create_context();
        orcus::sax_ns_parser<ActiveTableFinder> parser(settingsXml.data(), settingsXml.size(),
                                                       context, finder);
        parser.parse();
    } catch (const std::exception&) {
        return std::nullopt;
    }
    return finder.found();
}

}  // namespace kelvorad
