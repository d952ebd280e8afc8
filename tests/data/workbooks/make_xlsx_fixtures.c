/* Writes the .xlsx test workbooks with libxlsxwriter, independently of the component under
 * test (which reads them through liborcus). Run through make_fixtures.sh.
 *   pairs.xlsx: sheet "Notes", then the active sheet "Pairs" holding the header line and the
 *               pairs of fixture_pairs.tsv, row numbers 1 to 350 in column A, and one cell
 *               beyond row 351 and one beyond column 36.
 *   types.xlsx: dates, a time, booleans, a formatted number, a formula, a text. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <xlsxwriter.h>

/* A field that reads wholly as a decimal number is written as a number cell. */
static void write_field(lxw_worksheet* sheet, int row, int col, const char* field) {
    if (field[0] == '\0') return;
    char* end = NULL;
    double value = strtod(field, &end);
    if (end != field && *end == '\0') {
        worksheet_write_number(sheet, row, col, value, NULL);
    } else {
        worksheet_write_string(sheet, row, col, field, NULL);
    }
}

static int write_pairs_sheet(lxw_worksheet* sheet, const char* tsv_path) {
    FILE* tsv = fopen(tsv_path, "r");
    if (!tsv) return 1;
    char line[4096];
    int row = 0;
    while (fgets(line, sizeof line, tsv)) {
        line[strcspn(line, "\r\n")] = '\0';
        char* field = line;
        for (int col = 0; field; ++col) {
            char* tab = strchr(field, '\t');
            if (tab) *tab = '\0';
            write_field(sheet, row, col, field);
            field = tab ? tab + 1 : NULL;
        }
        ++row;
    }
    fclose(tsv);
    for (int r = 1; r <= 350; ++r) worksheet_write_number(sheet, r, 0, r, NULL);
    worksheet_write_string(sheet, 351, 0, "beyond the last row", NULL);
    worksheet_write_string(sheet, 1, 36, "beyond the last column", NULL);
    return 0;
}

static int write_pairs(const char* path, const char* tsv_path) {
    lxw_workbook* book = workbook_new(path);
    lxw_worksheet* notes = workbook_add_worksheet(book, "Notes");
    worksheet_write_string(notes, 0, 0, "Not the analyses", NULL);
    worksheet_write_number(notes, 1, 1, 123, NULL);
    lxw_worksheet* pairs = workbook_add_worksheet(book, "Pairs");
    if (write_pairs_sheet(pairs, tsv_path)) return 1;
    worksheet_activate(pairs);
    return workbook_close(book) == LXW_NO_ERROR ? 0 : 1;
}

static int write_types(const char* path) {
    lxw_workbook* book = workbook_new(path);
    lxw_worksheet* sheet = workbook_add_worksheet(book, "Types");
    lxw_format* date = workbook_add_format(book);
    format_set_num_format(date, "yyyy-mm-dd");
    lxw_format* date_time = workbook_add_format(book);
    format_set_num_format(date_time, "yyyy-mm-dd hh:mm:ss");
    lxw_format* time = workbook_add_format(book);
    format_set_num_format(time, "h:mm AM/PM");
    lxw_format* builtin_date = workbook_add_format(book);
    format_set_num_format_index(builtin_date, 14);
    lxw_format* grouped = workbook_add_format(book);
    format_set_num_format(grouped, "#,##0.00");

    worksheet_write_number(sheet, 0, 0, 45366, date);             /* 2024-03-15 */
    worksheet_write_number(sheet, 1, 0, 45366.5732638889, date_time); /* 13:45:30 */
    worksheet_write_number(sheet, 2, 0, 0.5729166666667, time);   /* 13:45:00 */
    worksheet_write_boolean(sheet, 3, 0, 1, NULL);
    worksheet_write_boolean(sheet, 4, 0, 0, NULL);
    worksheet_write_number(sheet, 5, 0, 1234567.891, grouped);
    worksheet_write_number(sheet, 6, 0, 45366, builtin_date);
    worksheet_write_formula_num(sheet, 7, 0, "=1+1", NULL, 2);
    worksheet_write_number(sheet, 8, 0, 0.1 + 0.2, NULL);
    worksheet_write_number(sheet, 9, 0, 0.00001, NULL);
    worksheet_write_string(sheet, 10, 0, " 12.5", NULL);
    return workbook_close(book) == LXW_NO_ERROR ? 0 : 1;
}

int main(int argc, char** argv) {
    if (argc != 4) {
        fprintf(stderr, "usage: %s PAIRS.tsv PAIRS.xlsx TYPES.xlsx\n", argv[0]);
        return 2;
    }
    return write_pairs(argv[2], argv[1]) | write_types(argv[3]);
}
