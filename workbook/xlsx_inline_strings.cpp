#include "xlsx_inline_strings.h"

#include <orcus/sax_ns_parser.hpp>
#include <orcus/xml_namespace.hpp>

#include <exception>
#include <map>
#include <optional>
#include <string>

#include "ooxml_text.h"

namespace kelvorad {

namespace {

// Runs `handler` over the XML text `xml`; false when it cannot be read.
template <typename Handler>
bool parseXml(std::string_view xml, Handler& handler) {
    try {
        orcus::xmlns_repository namespaces;
        orcus::xmlns_context context = namespaces.create_context();
        orcus::sax_ns_parser<Handler> parser(xml.data(), xml.size(), context, handler);
        parser.parse();
    } catch (const std::exception&) {
        return false;
    }
    return true;
}

bool isQualified(orcus::xmlns_id_t ns) {
    return ns && ns != orcus::XMLNS_UNKNOWN_ID;
}

// The relationships of a part (a .rels part): target by identifier, and the target of the
// first relationship whose type ends in `wantedType`.
class Relationships : public orcus::sax_ns_handler {
  public:
    explicit Relationships(std::string_view wantedType) : wantedType_(wantedType) {}

    std::map<std::string, std::string, std::less<>> targets;
    std::optional<std::string> wanted;

    void attribute(std::string_view, std::string_view) {}
    void attribute(const orcus::sax_ns_parser_attribute& attribute) {
        if (attribute.name == "Id") id_ = attribute.value;
        if (attribute.name == "Type") type_ = attribute.value;
        if (attribute.name == "Target") target_ = attribute.value;
    }
    void start_element(const orcus::sax_ns_parser_element& element) {
        if (element.name == "Relationship") {
            targets.emplace(id_, target_);
            const bool wantedHere = !wantedType_.empty() && type_.size() >= wantedType_.size() &&
                                    type_.compare(type_.size() - wantedType_.size(),
                                                  std::string::npos, wantedType_) == 0;
            if (wantedHere && !wanted) wanted = target_;
        }
        id_.clear();
        type_.clear();
        target_.clear();
    }

  private:
    std::string_view wantedType_;
    std::string id_, type_, target_;
};

// The relationship identifiers of the workbook's sheets, in tab order.
class SheetList : public orcus::sax_ns_handler {
  public:
    std::vector<std::string> ids;

    void attribute(std::string_view, std::string_view) {}
    void attribute(const orcus::sax_ns_parser_attribute& attribute) {
        if (isQualified(attribute.ns) && attribute.name == "id") id_ = attribute.value;
    }
    void start_element(const orcus::sax_ns_parser_element& element) {
        if (element.name == "sheet") ids.push_back(id_);
        id_.clear();
    }

  private:
    std::string id_;
};

// "B3" as a cell address; nullopt for anything else.
std::optional<CellAddress> parseCellReference(std::string_view reference) {
    std::size_t i = 0;
    long column = 0, row = 0;
    for (; i < reference.size() && reference[i] >= 'A' && reference[i] <= 'Z' && i < 3; ++i) {
        column = column * 26 + (reference[i] - 'A' + 1);
    }
    const std::size_t letters = i;
    for (; i < reference.size() && reference[i] >= '0' && reference[i] <= '9' && i < 11; ++i) {
        row = row * 10 + (reference[i] - '0');
    }
    if (letters == 0 || i == letters || i != reference.size()) return std::nullopt;
    if (!isInsideSheet(static_cast<int>(std::min<long>(row, kMaxSheetRows + 1)),
                       static_cast<int>(column))) {
        return std::nullopt;
    }
    return CellAddress{static_cast<int>(row), static_cast<int>(column)};
}

// Walks the rows and cells of one worksheet part, keeping the inline-string cells.
class InlineCells : public orcus::sax_ns_handler {
  public:
    InlineCells(std::size_t sheet, std::vector<PlacedCell>& found) : sheet_(sheet), found_(found) {}

    // Attributes arrive before the element they belong to.
    void attribute(std::string_view, std::string_view) {}
    void attribute(const orcus::sax_ns_parser_attribute& attribute) {
        if (attribute.name == "r") reference_ = attribute.value;
        if (attribute.name == "t") type_ = attribute.value;
    }

    void start_element(const orcus::sax_ns_parser_element& element) {
        if (element.name == "row") {
            const auto at = parseCellReference("A" + reference_);
            row_ = at ? at->row : row_ + 1;
            column_ = 0;
        } else if (element.name == "c") {
            const auto at = parseCellReference(reference_);
            column_ = at ? at->column : column_ + 1;
            if (at) row_ = at->row;
            inInlineCell_ = type_ == "inlineStr";
            text_.clear();
        } else if (inInlineCell_ && element.name == "rPh") {
            inPhonetic_ = true;
        } else if (inInlineCell_ && !inPhonetic_ && element.name == "t") {
            inText_ = true;
        }
        reference_.clear();
        type_.clear();
    }

    void characters(std::string_view text, bool) {
        if (inText_) text_ += text;
    }

    void end_element(const orcus::sax_ns_parser_element& element) {
        if (element.name == "t") {
            inText_ = false;
        } else if (element.name == "rPh") {
            inPhonetic_ = false;
        } else if (element.name == "c") {
            if (inInlineCell_ && !text_.empty() && found_.size() < kMaxWorkbookCells &&
                isInsideSheet(row_, column_)) {
                found_.push_back(
                    PlacedCell{sheet_, CellAddress{row_, column_},
                               CellValue{CellKind::Text, decodeOoxmlEscapes(text_), 0.0}});
            }
            inInlineCell_ = false;
        }
    }

  private:
    std::size_t sheet_;
    std::vector<PlacedCell>& found_;
    std::string reference_, type_, text_;
    int row_ = 0;
    int column_ = 0;
    bool inInlineCell_ = false;
    bool inPhonetic_ = false;
    bool inText_ = false;
};

std::string folderOf(const std::string& part) {
    const auto slash = part.rfind('/');
    return slash == std::string::npos ? std::string() : part.substr(0, slash + 1);
}

std::string fileNameOf(const std::string& part) {
    const auto slash = part.rfind('/');
    return slash == std::string::npos ? part : part.substr(slash + 1);
}

// A relationship target as a part name: absolute ("/xl/...") or relative to `folder`.
std::string partName(const std::string& folder, const std::string& target) {
    if (!target.empty() && target[0] == '/') return target.substr(1);
    return folder + target;
}

}  // namespace

std::vector<PlacedCell> inlineStringCellsOfXlsx(const ZipPackage& package) {
    std::vector<PlacedCell> found;
    const std::string* rootRelationships = package.find("_rels/.rels");
    if (!rootRelationships) return found;
    Relationships root("/officeDocument");
    if (!parseXml(*rootRelationships, root) || !root.wanted) return found;
    const std::string workbookPart = partName("", *root.wanted);
    const std::string* workbook = package.find(workbookPart);
    const std::string* workbookRelationships =
        package.find(folderOf(workbookPart) + "_rels/" + fileNameOf(workbookPart) + ".rels");
    if (!workbook || !workbookRelationships) return found;
    SheetList sheets;
    Relationships parts("");
    if (!parseXml(*workbook, sheets) || !parseXml(*workbookRelationships, parts)) return found;

    for (std::size_t index = 0; index < sheets.ids.size(); ++index) {
        const auto target = parts.targets.find(sheets.ids[index]);
        if (target == parts.targets.end()) continue;
        const std::string* sheet = package.find(partName(folderOf(workbookPart), target->second));
        if (!sheet || sheet->find("inlineStr") == std::string::npos) continue;
        InlineCells cells(index, found);
        parseXml(*sheet, cells);
    }
    return found;
}

}  // namespace kelvorad
