#!/usr/bin/env python3
"""Writes damaged-stream-name.xls: pairs.xls with one byte changed (offset 11969 set to 0x93:
the high byte of a stream name's length in the compound-file directory). Opening this file
makes the .xls library (libfreexl 1.0.6) run past a buffer on its stack while it converts
that name; found by the damaged-workbook test. Run through make_fixtures.sh, after pairs.xls
exists."""
import sys

source, target = sys.argv[1:3]
data = bytearray(open(source, "rb").read())
data[11969] = 0x93
open(target, "wb").write(bytes(data))
