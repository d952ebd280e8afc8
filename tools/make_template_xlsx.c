/* Writes the .xlsx template workbook: the analysis table's 36 column headers (given as
 * arguments) in row 1 and the row numbers 1 to 350 in column A. Run through
 * make_template_workbooks.sh. */
#include <stdio.h>
#include <xlsxwriter.h>

int main(int argc, char** argv) {
    if (argc != 38) {
        fprintf(stderr, "usage: %s OUTPUT.xlsx HEADER1 ... HEADER36\n", argv[0]);
        return 2;
    }
    lxw_workbook* book = workbook_new(argv[1]);
    lxw_worksheet* sheet = workbook_add_worksheet(book, "Analyses");
    lxw_format* header = workbook_add_format(book);
    format_set_bold(header);
    format_set_align(header, LXW_ALIGN_CENTER);
    lxw_format* number = workbook_add_format(book);
    format_set_align(number, LXW_ALIGN_CENTER);
    for (int c = 0; c < 36; ++c) {
        const char* text = argv[c + 2];
        if (text[0] != '\0') worksheet_write_string(sheet, 0, c, text, header);
    }
    for (int r = 1; r <= 350; ++r) worksheet_write_number(sheet, r, 0, r, number);
    worksheet_set_column(sheet, 0, 0, 8, NULL);
    worksheet_set_column(sheet, 1, 1, 14, NULL);
    worksheet_set_column(sheet, 2, 17, 10, NULL);
    worksheet_set_column(sheet, 18, 18, 4, NULL);
    worksheet_set_column(sheet, 19, 19, 14, NULL);
    worksheet_set_column(sheet, 20, 35, 10, NULL);
    worksheet_freeze_panes(sheet, 1, 1);
    return workbook_close(book) == LXW_NO_ERROR ? 0 : 1;
}
