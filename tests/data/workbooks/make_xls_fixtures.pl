#!/usr/bin/perl
# Writes the .xls test workbooks with Spreadsheet::WriteExcel (Debian package
# libspreadsheet-writeexcel-perl). Run through make_fixtures.sh.
#   pairs.xls: sheet "Notes", then the active sheet "Pairs" holding the header line and the
#              pairs of fixture_pairs.tsv, row numbers 1 to 350 in column A, and one cell
#              beyond row 351 and one beyond column 36.
#   types.xls: dates, a time, a formatted number, a text.
use strict;
use warnings;
use Spreadsheet::WriteExcel;

my ($tsv, $pairs_path, $types_path) = @ARGV;
die "usage: $0 PAIRS.tsv PAIRS.xls TYPES.xls\n" unless $types_path;

sub write_field {
    my ($sheet, $row, $col, $field) = @_;
    return if $field eq '';
    if ($field =~ /^[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?$/) {
        $sheet->write_number($row, $col, $field);
    } else {
        $sheet->write_string($row, $col, $field);
    }
}

my $book = Spreadsheet::WriteExcel->new($pairs_path) or die "$pairs_path: $!\n";
my $notes = $book->add_worksheet('Notes');
$notes->write_string(0, 0, 'Not the analyses');
$notes->write_number(1, 1, 123);
my $pairs = $book->add_worksheet('Pairs');
open(my $in, '<', $tsv) or die "$tsv: $!\n";
my $row = 0;
while (my $line = <$in>) {
    $line =~ s/[\r\n]+$//;
    my @fields = split(/\t/, $line, -1);
    write_field($pairs, $row, $_, $fields[$_]) for 0 .. $#fields;
    ++$row;
}
close($in);
$pairs->write_number($_, 0, $_) for 1 .. 350;
$pairs->write_string(351, 0, 'beyond the last row');
$pairs->write_string(1, 36, 'beyond the last column');
$pairs->activate();
$book->close() or die "$pairs_path: cannot write\n";

$book = Spreadsheet::WriteExcel->new($types_path) or die "$types_path: $!\n";
my $types = $book->add_worksheet('Types');
my $date = $book->add_format(num_format => 'yyyy-mm-dd');
my $date_time = $book->add_format(num_format => 'yyyy-mm-dd hh:mm:ss');
my $time = $book->add_format(num_format => 'hh:mm:ss');
my $grouped = $book->add_format(num_format => '#,##0.00');
$types->write_date_time(0, 0, '2024-03-15T', $date);
$types->write_date_time(1, 0, '2024-03-15T13:45:30', $date_time);
$types->write_date_time(2, 0, 'T13:45:00', $time);
$types->write_number(5, 0, 1234567.891, $grouped);
$types->write_number(8, 0, 0.1 + 0.2);
$types->write_number(9, 0, 0.00001);
$types->write_string(10, 0, ' 12.5');
$book->close() or die "$types_path: cannot write\n";
