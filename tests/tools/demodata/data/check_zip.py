# Reads an archive with Python's zipfile and prints one line per entry: name, method, flags, CRC check.
import sys
import zipfile

with zipfile.ZipFile(sys.argv[1]) as archive:
    if archive.comment:
        sys.exit("archive comment present")
    bad = archive.testzip()
    if bad is not None:
        sys.exit("bad CRC in " + bad)
    for info in archive.infolist():
        print(info.filename, info.compress_type, info.flag_bits, info.file_size, len(info.extra))
