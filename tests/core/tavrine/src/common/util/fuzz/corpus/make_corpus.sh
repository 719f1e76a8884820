#!/bin/sh
# Remakes the fuzzer's seed files (printf and python3). Run from this folder.
set -e
printf 'driver=gdi\nnofullscreen=0x1\nresolution=(240 x 320)\n// comment\nkey = value = more\r\nlast' > plain.ini
printf '#INCLUDE other.ini\r#include_txt x\n#INCLUDE_JAVAUTF\nvalue=#INCLUDE_TXT more.ini\n' > includes.ini
python3 -c 'import struct,sys
lines=["driver=tdlx","resolution=240x320x16","\u00e9t\u00e9=#INCLUDE_JAVAUTF x"]
sys.stdout.buffer.write(b"".join(struct.pack(">H",len(l.encode()))+l.encode() for l in lines))' > utf.ini
