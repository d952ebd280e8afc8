// Writes inline-strings.xlsx with libxlsxwriter in constant-memory mode, in which it stores every
// text as an inline string (<c t="inlineStr"><is><t>...</t></is></c>) rather than in the
// shared-string table, as streaming writers do. The active (only) sheet "Pairs" holds the header
// line and the pairs of fixture_pairs.tsv, row numbers 1 to 350 in column A, one cell beyond row
// 351 and one beyond column 36; the first sample name is rich text in two runs.
//   make_inline_strings_xlsx PAIRS.tsv OUT.xlsx
// Built in the test tree; the workbook tests run it and read what it writes, beside the
// committed copy.
#include <xlsxwriter.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<std::vector<std::string>> readTsv(const char* path) {
    std::vector<std::vector<std::string>> rows;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        std::vector<std::string> fields;
        std::istringstream split(line);
        for (std::string field; std::getline(split, field, '\t');) fields.push_back(field);
        rows.push_back(fields);
    }
    return rows;
}

// A field that reads wholly as a decimal number is written as a number cell.
void writeField(lxw_worksheet* sheet, int row, int column, const std::string& field) {
    if (field.empty()) return;
    char* end = nullptr;
    const double value = std::strtod(field.c_str(), &end);
    if (end != field.c_str() && *end == '\0') {
        worksheet_write_number(sheet, row, column, value, nullptr);
    } else {
        worksheet_write_string(sheet, row, column, field.c_str(), nullptr);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s PAIRS.tsv OUT.xlsx\n", argv[0]);
        return 2;
    }
    const auto tsv = readTsv(argv[1]);
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    lxw_workbook* book = workbook_new_opt(argv[2], &options);
    lxw_worksheet* sheet = workbook_add_worksheet(book, "Pairs");
    lxw_format* bold = workbook_add_format(book);
    format_set_bold(bold);

    // In constant-memory mode rows are written in order, each whole before the next.
    for (int row = 0; row <= 351; ++row) {
        if (row == 351) {
            worksheet_write_string(sheet, row, 0, "beyond the last row", nullptr);
            break;
        }
        const std::vector<std::string> fields =
            row < static_cast<int>(tsv.size()) ? tsv[row] : std::vector<std::string>{};
        if (row > 0) worksheet_write_number(sheet, row, 0, row, nullptr);
        for (std::size_t column = 0; column < fields.size(); ++column) {
            if (row > 0 && column == 0) continue;  // the row number
            if (row == 1 && column == 1) {
                lxw_rich_string_tuple first{bold, const_cast<char*>("MT-1 ")};
                lxw_rich_string_tuple second{nullptr, const_cast<char*>("core")};
                lxw_rich_string_tuple* runs[] = {&first, &second, nullptr};
                worksheet_write_rich_string(sheet, row, 1, runs, nullptr);
                continue;
            }
            writeField(sheet, row, static_cast<int>(column), fields[column]);
        }
        if (row == 1) worksheet_write_string(sheet, row, 36, "beyond the last column", nullptr);
    }
    return workbook_close(book) == LXW_NO_ERROR ? 0 : 1;
}
