#!/usr/bin/env bash
# Regenerates the template workbooks share/workbooks/Kelvorad.xlsx and Kelvorad.xls: the
# analysis table's header row and the row numbers 1 to 350, for users to fill in analysis
# pairs and load them back. The headers are taken from the analysis table's own column
# layout, so the templates always match it.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t headers < <(perl -ne 'print "$1\n" while /\{"([^"]*)",\s*\d+,\s*A::/g' \
  entry/model/analysis_table.cpp)
if [ "${#headers[@]}" -ne 36 ]; then
  echo "expected 36 column headers in entry/model/analysis_table.cpp, found ${#headers[@]}" >&2
  exit 1
fi
build=$(mktemp -d)
trap 'rm -rf "$build"' EXIT
cc -std=c11 -Wall -Wextra -o "$build/make_template_xlsx" tools/make_template_xlsx.c -lxlsxwriter
mkdir -p share/workbooks
"$build/make_template_xlsx" share/workbooks/Kelvorad.xlsx "${headers[@]}"
perl tools/make_template_xls.pl share/workbooks/Kelvorad.xls "${headers[@]}"
