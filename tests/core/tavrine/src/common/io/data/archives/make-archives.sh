#!/usr/bin/env bash
# Makes the archive fixtures of the archive tests with real tools: 7zz (Debian
# package 7zip), Info-ZIP zip and Python's zipfile. Run it from anywhere; it
# rewrites files/ and the archives beside this script. The output is
# committed, so the tests need none of these tools.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cd "$here"
rm -rf files ./*.7z ./*.zip
mkdir -p files/img files/dir

# Entry contents: incompressible bytes, compressible text, an empty file,
# an empty folder, and two names whose 31-hashes collide ("Aa", "BB").
python3 - <<'PY'
import random
rng = random.Random(1142)
open("files/img/logo.png", "wb").write(bytes(rng.randrange(256) for _ in range(3000)))
open("files/text.txt", "w").write("".join(f"line {i}: the quick brown fox\n" for i in range(400)))
open("files/empty.bin", "wb").close()
open("files/Aa", "w").write("content of Aa\n")
open("files/BB", "w").write("content of BB\n")
PY
# Fixed times, so that the archives come out the same on every run.
stamp="2026-01-01 00:00:00"
find files -exec touch -d "$stamp" {} +

cd files
q="-bso0 -bsp0"
# One file per folder, LZMA, no filters: the shape the game's data take.
7zz a -t7z -m0=LZMA -ms=off -mf=off $q ../lzma.7z img/logo.png text.txt empty.bin dir Aa
7zz a -t7z -m0=Copy -mhc=off $q ../copy.7z img/logo.png text.txt Aa BB
# The default: solid LZMA2.
7zz a -t7z $q ../solid.7z img/logo.png text.txt empty.bin Aa BB
7zz a -t7z -m0=Copy -mhc=off $q ../single.7z text.txt
7zz a -t7z -m0=Copy -mhc=off $q ../tiny.7z Aa
# Solid blocks of two files, and a filter before LZMA: folders that hold
# several files or several coders.
7zz a -t7z -ms=2f $q ../blocks.7z img/logo.png text.txt Aa BB empty.bin
7zz a -t7z -m0=BCJ -m1=LZMA -ms=off $q ../filtered.7z img/logo.png text.txt Aa empty.bin
# An entry larger than the reader's first buffer (bytes i % 251, not kept in files/).
python3 -c 'import sys; sys.stdout.buffer.write(bytes(i % 251 for i in range(1500000)))' >big.bin
touch -d "$stamp" big.bin
7zz a -t7z $q ../big.7z big.bin && rm big.bin

# Names outside ASCII; each file holds its own name and a newline.
names=$(mktemp -d)
mkdir "$names/données"
for name in "données/été.txt" "日本語.txt" "😀.txt"; do printf '%s\n' "$name" >"$names/$name"; done
find "$names" -exec touch -d "$stamp" {} +
(cd "$names" && 7zz a -t7z -m0=LZMA -ms=off -mf=off $q "$here/names.7z" "données/été.txt" "日本語.txt" "😀.txt")
rm -rf "$names"

zip -q -X -0 ../infozip.zip img/logo.png empty.bin
zip -q -X -9 ../infozip.zip text.txt
zip -q -X -1 -r ../infozip.zip dir Aa
cp -p text.txt fast.txt && zip -q -X -1 ../infozip.zip fast.txt && rm fast.txt
# Written to a pipe: data descriptors with their signature.
zip -q -X -fz- - - <text.txt | cat >../streamed.zip
cd ..

python3 - <<'PY'
import io, os, struct, zipfile, zlib

def info(name):
    return zipfile.ZipInfo(name, date_time=(2026, 1, 1, 0, 0, 0))

text = open("files/text.txt", "rb").read()
logo = open("files/img/logo.png", "rb").read()

class Unseekable(io.RawIOBase):
    def __init__(self, sink): self.sink = sink
    def writable(self): return True
    def write(self, b): self.sink.write(b); return len(b)

# Written to an unseekable stream: every entry has a data descriptor.
with open("python-descriptors.zip", "wb") as sink:
    with zipfile.ZipFile(Unseekable(sink), "w") as z:
        z.writestr(info("text.txt"), text, zipfile.ZIP_DEFLATED)
        z.writestr(info("img/logo.png"), logo, zipfile.ZIP_STORED)
        z.writestr(info("deflated-logo.png"), logo, zipfile.ZIP_DEFLATED)
        z.writestr(info("empty-stored"), b"", zipfile.ZIP_STORED)
        z.writestr(info("empty-deflated"), b"", zipfile.ZIP_DEFLATED)

import warnings
warnings.simplefilter("ignore")
with zipfile.ZipFile("python.zip", "w") as z:
    z.writestr(info("text.txt"), text, zipfile.ZIP_DEFLATED)
    z.writestr(info("win\\path.txt"), b"backslash name\n", zipfile.ZIP_STORED)
    z.writestr(info("dup.txt"), b"first\n", zipfile.ZIP_STORED)
    z.writestr(info("dup.txt"), b"second\n", zipfile.ZIP_STORED)
    z.writestr(info("bzip2.txt"), text, zipfile.ZIP_BZIP2)

for length in (65534, 65535):
    with zipfile.ZipFile(f"comment-{length}.zip", "w") as z:
        z.writestr(info("text.txt"), text, zipfile.ZIP_DEFLATED)
        z.comment = bytes((i * 7 + 1) % 251 + 1 for i in range(length))

# A comment that holds an end-record signature of its own.
with zipfile.ZipFile("comment-signature.zip", "w") as z:
    z.writestr(info("text.txt"), text, zipfile.ZIP_DEFLATED)
    z.comment = b"PK\x05\x06" + b"\x00" * 18 + b" trailing words"

# Both headers state a smaller size than the data inflate to.
data = bytearray(open("python.zip", "rb").read())
with zipfile.ZipFile("python.zip") as z:
    info = z.getinfo("text.txt")
local = info.header_offset
struct.pack_into("<I", data, local + 22, info.file_size - 10)
central = data.index(b"PK\x01\x02")
struct.pack_into("<I", data, central + 24, info.file_size - 10)
open("size-too-small.zip", "wb").write(bytes(data))

# One byte of stored data flipped: only the CRC tells.
data = bytearray(open("infozip.zip", "rb").read())
with zipfile.ZipFile("infozip.zip") as z:
    info = z.getinfo("img/logo.png")
name_length, extra_length = struct.unpack_from("<HH", data, info.header_offset + 26)
data[info.header_offset + 30 + name_length + extra_length + 100] ^= 0x01
open("corrupt.zip", "wb").write(bytes(data))

# One byte of Copy data flipped (it starts after the 32-byte signature header).
data = bytearray(open("single.7z", "rb").read())
data[32 + 100] ^= 0x01
open("corrupt.7z", "wb").write(bytes(data))

# copy.7z with "BB" renamed "Aa" in its plain header: two equal names.
data = bytearray(open("copy.7z", "rb").read())
offset, size = struct.unpack_from("<QQ", data, 12)
header = 32 + offset
at = data.index("BB".encode("utf-16-le") + b"\0\0", header)
data[at:at + 4] = "Aa".encode("utf-16-le")
struct.pack_into("<I", data, 28, zlib.crc32(data[header:header + size]))
struct.pack_into("<I", data, 8, zlib.crc32(data[12:32]))
open("duplicate.7z", "wb").write(bytes(data))

# A plain header of one file that declares 84 million files.
data = bytearray(open("tiny.7z", "rb").read())
offset, size = struct.unpack_from("<QQ", data, 12)
header = 32 + offset
at = data.index(b"\x05\x01", header)
data[at + 1:at + 2] = bytes([0xE5, 0x00, 0xBD, 0x01])  # 84,000,000
size += 3
struct.pack_into("<QQI", data, 12, offset, size, zlib.crc32(data[header:header + size]))
struct.pack_into("<I", data, 8, zlib.crc32(data[12:32]))
open("many-files.7z", "wb").write(bytes(data))

# The same header under a wrong CRC: libarchive parses it before checking.
struct.pack_into("<I", data, 28, zlib.crc32(data[header:header + size]) ^ 1)
struct.pack_into("<I", data, 8, zlib.crc32(data[12:32]))
open("many-files-damaged.7z", "wb").write(bytes(data))

# The same header under its right CRC, with the start header's CRC wrong.
struct.pack_into("<I", data, 28, zlib.crc32(data[header:header + size]))
struct.pack_into("<I", data, 8, zlib.crc32(data[12:32]) ^ 1)
open("many-files-damaged-start.7z", "wb").write(bytes(data))

# The same archive cut short inside its header.
data = bytearray(open("many-files.7z", "rb").read())
open("many-files-cut.7z", "wb").write(bytes(data[:-4]))
os.remove("tiny.7z")
PY
# Zip64 extra fields: Python's force_zip64 puts them in the local headers;
# zip64-central.zip moves every size and offset of the central directory
# into them as well; zip64-missing.zip marks a size without the extra field.
python3 - <<'PY'
import struct, zipfile

def info(name, method):
    i = zipfile.ZipInfo(name, date_time=(2026, 1, 1, 0, 0, 0))
    i.compress_type = method
    return i

with zipfile.ZipFile("zip64.zip", "w") as z:
    with z.open(info("text.txt", zipfile.ZIP_DEFLATED), "w", force_zip64=True) as f:
        f.write(open("files/text.txt", "rb").read())
    with z.open(info("img/logo.png", zipfile.ZIP_STORED), "w", force_zip64=True) as f:
        f.write(open("files/img/logo.png", "rb").read())

def rewrite_central(data, with_extra):
    start = struct.unpack_from("<I", data, len(data) - 22 + 16)[0]
    out, at = bytearray(data[:start]), start
    while data[at:at + 4] == b"PK\x01\x02":
        fields = list(struct.unpack_from("<4s6H3I5H2I", data, at))
        name_len, extra_len, comment_len = fields[10], fields[11], fields[12]
        rest = data[at + 46:at + 46 + name_len + extra_len + comment_len]
        name, comment = rest[:name_len], rest[name_len + extra_len:]
        csize, usize, offset = fields[8], fields[9], fields[16]
        fields[8] = fields[9] = fields[16] = 0xFFFFFFFF
        extra = struct.pack("<HHQQQ", 1, 24, usize, csize, offset) if with_extra else b""
        fields[11] = len(extra)
        out += struct.pack("<4s6H3I5H2I", *fields) + name + extra + comment
        at += 46 + len(rest)
    end = bytearray(data[at:])
    struct.pack_into("<II", end, 12, len(out) - start, start)
    return bytes(out + end)

data = open("zip64.zip", "rb").read()
open("zip64-central.zip", "wb").write(rewrite_central(data, True))
open("zip64-missing.zip", "wb").write(rewrite_central(data, False))
PY
ls -l "$here"
