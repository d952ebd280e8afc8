#include "orcus_import.h"

#include <orcus/orcus_ods.hpp>
#include <orcus/orcus_xlsx.hpp>
#include <orcus/spreadsheet/import_interface.hpp>
#include <orcus/spreadsheet/import_interface_view.hpp>

#include <cctype>
#include <cmath>
#include <exception>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "date_text.h"
#include "number_text.h"
#include "ooxml_text.h"

namespace kelvorad {

namespace iface = orcus::spreadsheet::iface;
namespace ss = orcus::spreadsheet;

namespace {

constexpr std::size_t kMaxSheets = 10'000;

struct TooLarge : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The strings a workbook shares between its cells, addressed by index.
class SharedStrings : public iface::import_shared_strings {
  public:
    const std::string* find(std::size_t index) const {
        return index < strings_.size() ? &strings_[index] : nullptr;
    }

    std::size_t append(std::string_view s) override {
        strings_.emplace_back(s);
        return strings_.size() - 1;
    }
    std::size_t add(std::string_view s) override {
        const auto [it, inserted] = lookup_.try_emplace(std::string(s), strings_.size());
        if (inserted) strings_.emplace_back(s);
        return it->second;
    }
    void set_segment_font(std::size_t) override {}
    void set_segment_bold(bool) override {}
    void set_segment_italic(bool) override {}
    void set_segment_font_name(std::string_view) override {}
    void set_segment_font_size(double) override {}
    void set_segment_font_color(ss::color_elem_t, ss::color_elem_t, ss::color_elem_t,
                                ss::color_elem_t) override {}
    void append_segment(std::string_view s) override { segments_.append(s); }
    std::size_t commit_segments() override {
        const std::size_t index = append(segments_);
        segments_.clear();
        return index;
    }

  private:
    std::vector<std::string> strings_;
    std::map<std::string, std::size_t, std::less<>> lookup_;
    std::string segments_;
};

// Of all the styling a workbook carries, only the number formats matter here: they tell a
// date from a plain number. Everything else is accepted and dropped.
class NumberFormats : public iface::import_styles {
  public:
    // The kind of date (or Number) that cell format `xf` shows.
    CellKind kindOfCellFormat(std::size_t xf) const {
        if (xf >= cellFormats_.size()) return CellKind::Number;
        const std::size_t id = cellFormats_[xf];
        if (const auto custom = customCodes_.find(id); custom != customCodes_.end()) {
            return kindOfNumberFormatCode(custom->second);
        }
        return kindOfBuiltInNumberFormat(static_cast<int>(id));
    }

    void set_number_format_count(std::size_t) override {}
    void set_number_format_identifier(std::size_t id) override { pendingId_ = id; }
    void set_number_format_code(std::string_view s) override { pendingCode_ = s; }
    std::size_t commit_number_format() override {
        customCodes_[pendingId_] = pendingCode_;
        pendingCode_.clear();
        return pendingId_;
    }
    void set_xf_number_format(std::size_t index) override { pendingFormat_ = index; }
    std::size_t commit_cell_xf() override {
        cellFormats_.push_back(pendingFormat_);
        pendingFormat_ = 0;
        return cellFormats_.size() - 1;
    }
    std::size_t commit_cell_style_xf() override { return resetPending(); }
    std::size_t commit_dxf() override { return resetPending(); }

    void set_font_count(std::size_t) override {}
    void set_font_bold(bool) override {}
    void set_font_italic(bool) override {}
    void set_font_name(std::string_view) override {}
    void set_font_size(double) override {}
    void set_font_underline(ss::underline_t) override {}
    void set_font_underline_width(ss::underline_width_t) override {}
    void set_font_underline_mode(ss::underline_mode_t) override {}
    void set_font_underline_type(ss::underline_type_t) override {}
    void set_font_underline_color(ss::color_elem_t, ss::color_elem_t, ss::color_elem_t,
                                  ss::color_elem_t) override {}
    void set_font_color(ss::color_elem_t, ss::color_elem_t, ss::color_elem_t,
                        ss::color_elem_t) override {}
    void set_strikethrough_style(ss::strikethrough_style_t) override {}
    void set_strikethrough_type(ss::strikethrough_type_t) override {}
    void set_strikethrough_width(ss::strikethrough_width_t) override {}
    void set_strikethrough_text(ss::strikethrough_text_t) override {}
    std::size_t commit_font() override { return 0; }
    void set_fill_count(std::size_t) override {}
    void set_fill_pattern_type(ss::fill_pattern_t) override {}
    void set_fill_fg_color(ss::color_elem_t, ss::color_elem_t, ss::color_elem_t,
                           ss::color_elem_t) override {}
    void set_fill_bg_color(ss::color_elem_t, ss::color_elem_t, ss::color_elem_t,
                           ss::color_elem_t) override {}
    std::size_t commit_fill() override { return 0; }
    void set_border_count(std::size_t) override {}
    void set_border_style(ss::border_direction_t, ss::border_style_t) override {}
    void set_border_color(ss::border_direction_t, ss::color_elem_t, ss::color_elem_t,
                          ss::color_elem_t, ss::color_elem_t) override {}
    void set_border_width(ss::border_direction_t, double, orcus::length_unit_t) override {}
    std::size_t commit_border() override { return 0; }
    void set_cell_hidden(bool) override {}
    void set_cell_locked(bool) override {}
    void set_cell_print_content(bool) override {}
    void set_cell_formula_hidden(bool) override {}
    std::size_t commit_cell_protection() override { return 0; }
    void set_cell_xf_count(std::size_t) override {}
    void set_cell_style_xf_count(std::size_t) override {}
    void set_dxf_count(std::size_t) override {}
    void set_xf_font(std::size_t) override {}
    void set_xf_fill(std::size_t) override {}
    void set_xf_border(std::size_t) override {}
    void set_xf_protection(std::size_t) override {}
    void set_xf_style_xf(std::size_t) override {}
    void set_xf_apply_alignment(bool) override {}
    void set_xf_horizontal_alignment(ss::hor_alignment_t) override {}
    void set_xf_vertical_alignment(ss::ver_alignment_t) override {}
    void set_cell_style_count(std::size_t) override {}
    void set_cell_style_name(std::string_view) override {}
    void set_cell_style_xf(std::size_t) override {}
    void set_cell_style_builtin(std::size_t) override {}
    void set_cell_style_parent_name(std::string_view) override {}
    std::size_t commit_cell_style() override { return 0; }

  private:
    std::size_t resetPending() {
        pendingFormat_ = 0;
        return 0;
    }

    std::map<std::size_t, std::string> customCodes_;  // by number format identifier
    std::vector<std::size_t> cellFormats_;            // number format identifier by xf index
    std::size_t pendingId_ = 0;
    std::string pendingCode_;
    std::size_t pendingFormat_ = 0;
};

// The date origin of the workbook: 1899-12-30 unless the file says 1904-01-01.
class GlobalSettings : public iface::import_global_settings {
  public:
    double serialOffset() const { return offset_; }

    void set_origin_date(int year, int month, int day) override {
        offset_ = serialFromCivil(CivilDateTime{year, month, day, 0, 0, 0.0});
    }
    void set_default_formula_grammar(ss::formula_grammar_t grammar) override { grammar_ = grammar; }
    ss::formula_grammar_t get_default_formula_grammar() const override { return grammar_; }
    void set_character_set(orcus::character_set_t) override {}

  private:
    double offset_ = 0.0;
    ss::formula_grammar_t grammar_ = ss::formula_grammar_t::unknown;
};

// Turns "B3", "$B$3", "Sheet1!B3" and "A1:C10" into 0-based positions, the form the .xlsx
// reader gives cell positions in. A reference of another form is refused, which ends the
// reading of the file with a failure.
class A1References : public iface::import_reference_resolver {
  public:
    ss::src_address_t resolve_address(std::string_view address) override {
        if (const auto bang = address.rfind('!'); bang != std::string_view::npos) {
            address.remove_prefix(bang + 1);
        }
        std::size_t i = 0;
        if (i < address.size() && address[i] == '$') ++i;
        long column = 0;
        const std::size_t lettersStart = i;
        while (i < address.size() && std::isalpha(static_cast<unsigned char>(address[i])) &&
               i - lettersStart < 3) {
            column = column * 26 + (std::toupper(static_cast<unsigned char>(address[i])) - 'A' + 1);
            ++i;
        }
        if (i < address.size() && address[i] == '$') ++i;
        long row = 0;
        const std::size_t digitsStart = i;
        while (i < address.size() && std::isdigit(static_cast<unsigned char>(address[i])) &&
               i - digitsStart < 8) {
            row = row * 10 + (address[i] - '0');
            ++i;
        }
        if (i != address.size() || column < 1 || column > kMaxSheetColumns || row < 1 ||
            row > kMaxSheetRows) {
            throw std::invalid_argument("malformed cell reference");
        }
        return ss::src_address_t{0, static_cast<ss::row_t>(row - 1),
                                 static_cast<ss::col_t>(column - 1)};
    }
    ss::src_range_t resolve_range(std::string_view range) override {
        const auto colon = range.find(':');
        if (colon == std::string_view::npos) {
            const auto single = resolve_address(range);
            return ss::src_range_t{single, single};
        }
        return ss::src_range_t{resolve_address(range.substr(0, colon)),
                               resolve_address(range.substr(colon + 1))};
    }
};

// What a sheet received, before number formats can be applied (a workbook may announce a
// cell's format before or after its value).
struct RawCell {
    CellKind kind = CellKind::Text;  // Text, Number, Boolean or DateTime (already a serial)
    std::string text;
    double number = 0.0;
};

class Collector;

class SheetCollector : public iface::import_sheet,
                       public iface::import_sheet_view,
                       public iface::import_formula {
  public:
    SheetCollector(Collector& owner, std::size_t index, std::string_view name)
        : owner_(owner), index_(index), name_(name) {}

    const std::string& name() const { return name_; }
    std::map<CellAddress, RawCell>& cells() { return cells_; }
    const std::map<CellAddress, std::size_t>& formats() const { return formats_; }

    iface::import_sheet_view* get_sheet_view() override { return this; }
    iface::import_formula* get_formula() override { return this; }

    void set_auto(ss::row_t row, ss::col_t col, std::string_view s) override {
        store(row, col, RawCell{CellKind::Text, std::string(s), 0.0});
    }
    void set_string(ss::row_t row, ss::col_t col, ss::string_id_t sindex) override;
    void set_value(ss::row_t row, ss::col_t col, double value) override {
        store(row, col, RawCell{CellKind::Number, {}, value});
    }
    void set_bool(ss::row_t row, ss::col_t col, bool value) override {
        store(row, col, RawCell{CellKind::Boolean, {}, value ? 1.0 : 0.0});
    }
    void set_date_time(ss::row_t row, ss::col_t col, int year, int month, int day, int hour,
                       int minute, double second) override {
        const CivilDateTime when{year, month, day, hour, minute, second};
        const bool hasTime = hour != 0 || minute != 0 || second != 0.0;
        store(row, col,
              RawCell{hasTime ? CellKind::DateTime : CellKind::Date, {}, serialFromCivil(when)});
    }
    void set_format(ss::row_t row, ss::col_t col, std::size_t xf_index) override {
        if (row >= 0 && col >= 0) formats_[CellAddress{row + 1, col + 1}] = xf_index;
    }
    void set_format(ss::row_t, ss::col_t, ss::row_t, ss::col_t, std::size_t) override {}
    void fill_down_cells(ss::row_t row, ss::col_t col, ss::row_t range_size) override {
        const auto source = cells_.find(CellAddress{row + 1, col + 1});
        if (source == cells_.end()) return;
        const RawCell copy = source->second;
        for (ss::row_t i = 1; i <= range_size; ++i) store(row + i, col, copy);
    }
    ss::range_size_t get_sheet_size() const override {
        return ss::range_size_t{kMaxSheetRows, kMaxSheetColumns};
    }

    // The sheet view: only which sheet is the active tab matters.
    void set_sheet_active() override;
    void set_split_pane(double, double, const ss::address_t&, ss::sheet_pane_t) override {}
    void set_frozen_pane(ss::col_t, ss::row_t, const ss::address_t&, ss::sheet_pane_t) override {}
    void set_selected_range(ss::sheet_pane_t, ss::range_t) override {}

    // A formula cell counts with the result saved beside its formula.
    void set_position(ss::row_t row, ss::col_t col) override {
        formulaRow_ = row;
        formulaColumn_ = col;
        formulaResult_.reset();
    }
    void set_formula(ss::formula_grammar_t, std::string_view) override {}
    void set_shared_formula_index(std::size_t) override {}
    void set_result_string(std::string_view value) override {
        formulaResult_ = RawCell{CellKind::Text, std::string(value), 0.0};
    }
    void set_result_value(double value) override {
        formulaResult_ = RawCell{CellKind::Number, {}, value};
    }
    void set_result_bool(bool value) override {
        formulaResult_ = RawCell{CellKind::Boolean, {}, value ? 1.0 : 0.0};
    }
    void set_result_empty() override { formulaResult_.reset(); }
    void commit() override {
        if (formulaResult_) store(formulaRow_, formulaColumn_, *formulaResult_);
        formulaResult_.reset();
    }

  private:
    void store(ss::row_t row, ss::col_t col, RawCell cell);

    Collector& owner_;
    std::size_t index_;
    std::string name_;
    std::map<CellAddress, RawCell> cells_;
    std::map<CellAddress, std::size_t> formats_;
    ss::row_t formulaRow_ = 0;
    ss::col_t formulaColumn_ = 0;
    std::optional<RawCell> formulaResult_;
};

class Collector : public iface::import_factory {
  public:
    // .xlsx texts carry "_xHHHH_" escapes; OpenDocument texts do not.
    explicit Collector(bool decodeEscapes) : decodeEscapes_(decodeEscapes) {}

    iface::import_global_settings* get_global_settings() override { return &settings_; }
    iface::import_shared_strings* get_shared_strings() override { return &strings_; }
    iface::import_styles* get_styles() override { return &formats_; }
    iface::import_reference_resolver* get_reference_resolver(ss::formula_ref_context_t) override {
        return &references_;
    }

    iface::import_sheet* append_sheet(ss::sheet_t, std::string_view name) override {
        if (sheets_.size() >= kMaxSheets) throw TooLarge("too many sheets");
        sheets_.push_back(std::make_unique<SheetCollector>(*this, sheets_.size(), name));
        return sheets_.back().get();
    }
    iface::import_sheet* get_sheet(std::string_view name) override {
        for (auto& sheet : sheets_) {
            if (sheet->name() == name) return sheet.get();
        }
        return nullptr;
    }
    iface::import_sheet* get_sheet(ss::sheet_t index) override {
        if (index < 0 || static_cast<std::size_t>(index) >= sheets_.size()) return nullptr;
        return sheets_[static_cast<std::size_t>(index)].get();
    }
    void finalize() override {}

    const std::string* sharedString(std::size_t index) const { return strings_.find(index); }
    void countCell() {
        if (++cellCount_ > kMaxWorkbookCells)
            throw TooLarge("more cells than the component can hold");
    }
    void setActiveSheet(std::size_t index) { activeSheet_ = index; }

    WorkbookData takeWorkbook();

  private:
    GlobalSettings settings_;
    SharedStrings strings_;
    NumberFormats formats_;
    A1References references_;
    std::vector<std::unique_ptr<SheetCollector>> sheets_;
    std::size_t cellCount_ = 0;
    std::size_t activeSheet_ = 0;
    bool decodeEscapes_;
};

void SheetCollector::set_string(ss::row_t row, ss::col_t col, ss::string_id_t sindex) {
    const std::string* text = owner_.sharedString(sindex);
    store(row, col, RawCell{CellKind::Text, text ? *text : std::string(), 0.0});
}

void SheetCollector::set_sheet_active() {
    owner_.setActiveSheet(index_);
}

void SheetCollector::store(ss::row_t row, ss::col_t col, RawCell cell) {
    if (row < 0 || col < 0 || !isInsideSheet(row + 1, col + 1)) return;
    const auto [it, inserted] =
        cells_.insert_or_assign(CellAddress{row + 1, col + 1}, std::move(cell));
    if (inserted) owner_.countCell();
}

std::string booleanText(double value) {
    return value != 0.0 ? "TRUE" : "FALSE";
}

WorkbookData Collector::takeWorkbook() {
    WorkbookData workbook;
    workbook.activeSheet = activeSheet_ < sheets_.size() ? activeSheet_ : 0;
    for (auto& collected : sheets_) {
        SheetData sheet;
        sheet.name = collected->name();
        for (auto& [address, raw] : collected->cells()) {
            CellValue cell;
            cell.kind = raw.kind;
            cell.number = raw.number;
            if (raw.kind == CellKind::Text) {
                if (raw.text.empty()) continue;
                cell.text = decodeEscapes_ ? decodeOoxmlEscapes(raw.text) : std::move(raw.text);
            } else if (raw.kind == CellKind::Boolean) {
                cell.text = booleanText(raw.number);
            } else if (raw.kind == CellKind::Number) {
                const auto format = collected->formats().find(address);
                const CellKind dateKind = format == collected->formats().end()
                                              ? CellKind::Number
                                              : formats_.kindOfCellFormat(format->second);
                const double serial = raw.number + settings_.serialOffset();
                const auto date = dateTextFromSerial(serial, dateKind);
                if (date) {
                    cell.kind = dateKind;
                    cell.number = serial;
                    cell.text = *date;
                } else {
                    cell.text = formatNumber(raw.number);
                }
            } else {  // a typed date from an OpenDocument file, already a serial
                cell.text =
                    dateTextFromSerial(raw.number, raw.kind).value_or(formatNumber(raw.number));
            }
            sheet.cells.emplace(address, std::move(cell));
        }
        workbook.sheets.push_back(std::move(sheet));
    }
    return workbook;
}

}  // namespace

std::optional<ZipWorkbookFormat> detectZipWorkbook(std::string_view zipFile) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(zipFile.data());
    try {
        if (orcus::orcus_ods::detect(bytes, zipFile.size())) return ZipWorkbookFormat::Ods;
        if (orcus::orcus_xlsx::detect(bytes, zipFile.size())) return ZipWorkbookFormat::Xlsx;
    } catch (const std::exception&) {
    }
    return std::nullopt;
}

Result<WorkbookData> readCellsWithOrcus(std::string_view zipFile, ZipWorkbookFormat format) {
    Collector collector(format == ZipWorkbookFormat::Xlsx);
    try {
        if (format == ZipWorkbookFormat::Xlsx) {
            orcus::orcus_xlsx filter(&collector);
            filter.read_stream(zipFile);
        } else {
            orcus::orcus_ods filter(&collector);
            filter.read_stream(zipFile);
        }
    } catch (const TooLarge& e) {
        return Failure{std::string("the workbook is too large (") + e.what() + ")"};
    } catch (const std::exception& e) {
        return Failure{std::string("not a readable workbook (") + e.what() + ")"};
    } catch (...) {
        return Failure{"not a readable workbook"};
    }
    WorkbookData workbook = collector.takeWorkbook();
    if (workbook.sheets.empty()) return Failure{"the workbook holds no worksheet"};
    return workbook;
}

}  // namespace kelvorad
