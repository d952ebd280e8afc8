#!/usr/bin/env python3
"""Writes the OpenDocument test workbooks by hand (a zip of XML parts), independently of the
component under test. Run through make_fixtures.sh.
  pairs.ods: table "Notes", then "Pairs" (the active table, recorded in settings.xml) holding
             the header line and the pairs of fixture_pairs.tsv, row numbers 1 to 350 in
             column A, and one cell beyond row 351 and one beyond column 36.
  types.ods: dates, a time, booleans, a number, a formula with its result, a text, and
             repeated boolean and time cells."""
import re
import sys
import zipfile
from xml.sax.saxutils import escape, quoteattr

NUMBER = re.compile(r"^[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?$")

NS = (
    'xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" '
    'xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" '
    'xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" '
    'xmlns:of="urn:oasis:names:tc:opendocument:xmlns:of:1.2" '
    'xmlns:config="urn:oasis:names:tc:opendocument:xmlns:config:1.0" '
    'xmlns:manifest="urn:oasis:names:tc:opendocument:xmlns:manifest:1.0"'
)


def empty(count=1):
    if count == 1:
        return "<table:table-cell/>"
    return f'<table:table-cell table:number-columns-repeated="{count}"/>'


def text_cell(text):
    return (f'<table:table-cell office:value-type="string">'
            f"<text:p>{escape(text)}</text:p></table:table-cell>")


def number_cell(value):
    return (f'<table:table-cell office:value-type="float" office:value="{value}">'
            f"<text:p>{value}</text:p></table:table-cell>")


def field_cell(field):
    if field == "":
        return empty()
    return number_cell(field) if NUMBER.match(field) else text_cell(field)


def row(cells):
    return "<table:table-row>" + "".join(cells) + "</table:table-row>"


def table(name, rows):
    return f"<table:table table:name={quoteattr(name)}>" + "".join(rows) + "</table:table>"


def write_package(path, tables, active):
    content = (f'<?xml version="1.0" encoding="UTF-8"?><office:document-content {NS} '
               'office:version="1.2"><office:body><office:spreadsheet>' + "".join(tables) +
               "</office:spreadsheet></office:body></office:document-content>")
    settings = (f'<?xml version="1.0" encoding="UTF-8"?><office:document-settings {NS} '
                'office:version="1.2"><office:settings>'
                '<config:config-item-set config:name="ooo:view-settings">'
                '<config:config-item-map-indexed config:name="Views"><config:config-item-map-entry>'
                '<config:config-item config:name="ViewId" config:type="string">view1</config:config-item>'
                f'<config:config-item config:name="ActiveTable" config:type="string">{escape(active)}'
                "</config:config-item></config:config-item-map-entry>"
                "</config:config-item-map-indexed></config:config-item-set>"
                "</office:settings></office:document-settings>")
    manifest = (f'<?xml version="1.0" encoding="UTF-8"?><manifest:manifest {NS} manifest:version="1.2">'
                '<manifest:file-entry manifest:full-path="/" manifest:version="1.2" '
                'manifest:media-type="application/vnd.oasis.opendocument.spreadsheet"/>'
                '<manifest:file-entry manifest:full-path="content.xml" manifest:media-type="text/xml"/>'
                '<manifest:file-entry manifest:full-path="settings.xml" manifest:media-type="text/xml"/>'
                "</manifest:manifest>")
    with zipfile.ZipFile(path, "w") as package:
        package.writestr(zipfile.ZipInfo("mimetype"),
                         "application/vnd.oasis.opendocument.spreadsheet",
                         compress_type=zipfile.ZIP_STORED)
        for name, data in (("content.xml", content), ("settings.xml", settings),
                           ("META-INF/manifest.xml", manifest)):
            info = zipfile.ZipInfo(name, date_time=(2024, 1, 1, 0, 0, 0))
            package.writestr(info, data, compress_type=zipfile.ZIP_DEFLATED)


def pairs_table(tsv_path):
    with open(tsv_path, encoding="utf-8") as tsv:
        lines = [line.rstrip("\r\n").split("\t") for line in tsv]
    rows = []
    for r in range(352):
        fields = lines[r] if r < len(lines) else [""] * 36
        cells = [field_cell(f) for f in fields]
        if r >= 1:
            cells[0] = number_cell(str(r)) if r <= 350 else text_cell("beyond the last row")
        if r == 1:
            cells.append(text_cell("beyond the last column"))
        rows.append(row(cells))
    return table("Pairs", rows)


def types_table():
    cells = [
        '<table:table-cell office:value-type="date" office:date-value="2024-03-15"><text:p>2024-03-15</text:p></table:table-cell>',
        '<table:table-cell office:value-type="date" office:date-value="2024-03-15T13:45:30"><text:p>2024-03-15 13:45:30</text:p></table:table-cell>',
        '<table:table-cell office:value-type="time" office:time-value="PT13H45M00S"><text:p>13:45:00</text:p></table:table-cell>',
        '<table:table-cell office:value-type="boolean" office:boolean-value="true"><text:p>TRUE</text:p></table:table-cell>',
        '<table:table-cell office:value-type="boolean" office:boolean-value="false"><text:p>FALSE</text:p></table:table-cell>',
        number_cell("1234567.891"),
        empty(),
        '<table:table-cell table:formula="of:=1+1" office:value-type="float" office:value="2"><text:p>2</text:p></table:table-cell>',
        number_cell("0.30000000000000004"),
        number_cell("1E-05"),
        text_cell(" 12.5"),
    ]
    rows = [row([c]) for c in cells]
    # Repeated cells and rows: TRUE in A12 and B12, then 06:30:00 in A13 and A14.
    rows.append(row(['<table:table-cell table:number-columns-repeated="2" '
                     'office:value-type="boolean" office:boolean-value="true">'
                     "<text:p>TRUE</text:p></table:table-cell>"]))
    rows.append('<table:table-row table:number-rows-repeated="2">'
                '<table:table-cell office:value-type="time" office:time-value="PT06H30M00S">'
                "<text:p>06:30:00</text:p></table:table-cell></table:table-row>")
    return table("Types", rows)


def main():
    tsv_path, pairs_path, types_path = sys.argv[1:4]
    notes = table("Notes", [row([text_cell("Not the analyses")]),
                            row([empty(), number_cell("123")])])
    write_package(pairs_path, [notes, pairs_table(tsv_path)], "Pairs")
    write_package(types_path, [types_table()], "Types")


if __name__ == "__main__":
    main()
