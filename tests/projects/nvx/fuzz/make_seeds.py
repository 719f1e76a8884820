#!/usr/bin/env python3
"""Writes starting corpora for the game's fuzzers into <out>/<fuzzer>:
the demo data's entries (build/game/game.dat, `cmake --build build --target
demo_data`), the records of the golden logs and the record stores the test
runs left in the build tree.

    tests/projects/nvx/fuzz/make_seeds.py build build-fuzz/seeds
"""
import hashlib
import pathlib
import re
import struct
import sys
import zipfile


def put(out, fuzzer, data, name=None):
    folder = out / fuzzer
    folder.mkdir(parents=True, exist_ok=True)
    (folder / (name or hashlib.sha1(data).hexdigest()[:16])).write_bytes(data)


def level_records(m):
    at, records = 0, []
    while at + 2 <= len(m):
        (length,) = struct.unpack_from(">H", m, at)
        records.append(m[at + 2 : at + 2 + length])
        at += 2 + length
    return records


def store_seed(store, level, records):
    """The store fuzzer's input: selector byte, then the records."""
    selector = bytes([((level - 1) % 26) << 2 | store])
    if store != 0:
        return selector + records[0]
    body = b"".join(bytes([len(r)]) + r for r in records[:2])
    return selector + body + b"".join(records[2:])


def main(build, out):
    root = pathlib.Path(__file__).resolve().parents[4]
    with zipfile.ZipFile(build / "game" / "game.dat") as archive:
        entries = {name: archive.read(name) for name in archive.namelist() if not name.endswith("/")}
    put(out, "level_archive", entries["m"], "m")
    for level, record in enumerate(level_records(entries["m"]), start=1):
        put(out, "level", bytes([level - 1]) + record, f"level-{level:02}")
    for name, data in entries.items():
        base = name.rsplit("/", 1)[-1]
        if re.fullmatch(r"lng_\w+\.dat", base):
            put(out, "language", data, base)
        if base == "res.dat":
            put(out, "res_data", data, base)
        if re.fullmatch(r"(lang|options|res_\w+|\d+x\d+)\.dat", base):
            put(out, "string_table", data, base)
    put(out, "string_table", b"#INCLUDE a\nPATH=240x320/;x\n>>\n#INCLUDE b\nID=en\n>>\nv=#INCLUDE_TXT a\n", "includes")

    saved = {}
    for log in sorted((root / "tests/projects/nvx/driver/golden").glob("*.log")):
        for line in log.read_text(errors="replace").splitlines():
            found = re.fullmatch(r"record (save1|option|winner)/(\d): ((?:[0-9a-f]{2} ?)+)", line.strip())
            if not found:
                continue
            store, record, data = found.group(1), int(found.group(2)), bytes.fromhex(found.group(3))
            if store == "save1":
                saved[record] = data
                if record == 2 and 1 in saved:
                    level = max(saved[1][1], 1)
                    put(out, "store_record", store_seed(0, level, [saved[1], saved[2]]))
                    # The same pair left pending in record 3 over an older one.
                    pending = struct.pack(">H", len(saved[1])) + saved[1] + saved[2]
                    put(out, "store_record", store_seed(0, level, [saved[1][:2] + bytes(5), b"\x00", pending]))
            else:
                put(out, "store_record", store_seed(1 if store == "option" else 2, 1, [data]))
    for record in build.glob("**/k.nvx/k.path/v.1"):
        data = record.read_bytes()
        if data:
            put(out, "store_record", store_seed(3, max(data[0], 1), [data]))


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2]))
