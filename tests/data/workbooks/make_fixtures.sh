#!/usr/bin/env bash
# Regenerates the workbook fixtures of the workbook tests: .xlsx with libxlsxwriter (small C and
# C++ programs; inline-strings.xlsx in its constant-memory mode), .xls with Perl's Spreadsheet::WriteExcel, .ods by hand with Python's zipfile.
# All three hold the same analysis pairs, read from fixture_pairs.tsv.
set -euo pipefail
cd "$(dirname "$0")"
build=$(mktemp -d)
trap 'rm -rf "$build"' EXIT
cc -std=c11 -Wall -Wextra -o "$build/make_xlsx_fixtures" make_xlsx_fixtures.c -lxlsxwriter
"$build/make_xlsx_fixtures" fixture_pairs.tsv pairs.xlsx types.xlsx
c++ -std=c++20 -Wall -Wextra -o "$build/make_inline_strings_xlsx" make_inline_strings_xlsx.cpp -lxlsxwriter
"$build/make_inline_strings_xlsx" fixture_pairs.tsv inline-strings.xlsx
perl make_xls_fixtures.pl fixture_pairs.tsv pairs.xls types.xls
python3 make_ods_fixtures.py fixture_pairs.tsv pairs.ods types.ods
python3 make_damaged_xls.py pairs.xls damaged-stream-name.xls
