#!/usr/bin/perl
# Writes the .xls template workbook with Spreadsheet::WriteExcel (Debian package
# libspreadsheet-writeexcel-perl): the analysis table's 36 column headers (given as
# arguments) in row 1 and the row numbers 1 to 350 in column A. Run through
# make_template_workbooks.sh.
use strict;
use warnings;
use Spreadsheet::WriteExcel;

my ($path, @headers) = @ARGV;
die "usage: $0 OUTPUT.xls HEADER1 ... HEADER36\n" unless defined $path && @headers == 36;

my $book = Spreadsheet::WriteExcel->new($path) or die "$path: $!\n";
my $sheet = $book->add_worksheet('Analyses');
my $header = $book->add_format(bold => 1, align => 'center');
my $number = $book->add_format(align => 'center');
for my $c (0 .. 35) {
    $sheet->write_string(0, $c, $headers[$c], $header) if $headers[$c] ne '';
}
$sheet->write_number($_, 0, $_, $number) for 1 .. 350;
$sheet->set_column(0, 0, 8);
$sheet->set_column(1, 1, 14);
$sheet->set_column(2, 17, 10);
$sheet->set_column(18, 18, 4);
$sheet->set_column(19, 19, 14);
$sheet->set_column(20, 35, 10);
$sheet->freeze_panes(1, 1);
$book->close() or die "$path: cannot write\n";
