# Files with lying headers, written byte by byte.
import struct, zlib

def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xffffffff)

def png(width, height, colour_type, rows, extra=b"", depth=8):
    ihdr = struct.pack(">IIBBBBB", width, height, depth, colour_type, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + extra +
            chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))

# 70000 x 70000 RGB with one row of data.
open("png_huge.png", "wb").write(png(70000, 70000, 2, b"\0" + b"\x10" * 30))
# 16000 x 16000 RGB within the side limit, with one row of data.
open("png_lying_size.png", "wb").write(png(16000, 16000, 2, b"\0" + b"\x10" * 30))
# A complete black 16000 x 16000 picture of 1-bit grey: 32 KB that hold 256 million pixels.
open("png_over_budget.png", "wb").write(png(16000, 16000, 0, (b"\0" * 2001) * 16000, depth=1))
# 4 x 4 palette image whose indices point past its 2-entry palette.
plte = chunk(b"PLTE", bytes([255, 0, 0, 0, 255, 0]))
rows = b"".join(b"\0" + bytes([0, 1, 2, 255]) for _ in range(4))
open("png_index_past_palette.png", "wb").write(png(4, 4, 3, rows, plte))
# Corrupted IDAT checksum.
good = png(4, 4, 2, b"".join(b"\0" + b"\x80" * 12 for _ in range(4)))
at = good.index(b"IDAT") + 4
broken = bytearray(good)
broken[at + 2] ^= 0x55
open("png_bad_crc.png", "wb").write(bytes(broken))

def gif(screen_w, screen_h, frame, global_map=True):
    flags = 0x80 | 0x00 if global_map else 0x00
    head = b"GIF89a" + struct.pack("<HHBBB", screen_w, screen_h, flags, 0, 0)
    if global_map:
        head += bytes([0, 0, 0, 255, 255, 255])
    return head + frame + b";"

def image(left, top, width, height, pixels):
    # Uncompressed LZW: a clear code before every pixel keeps codes 3 bits wide.
    bits, nbits, out = 0, 0, bytearray()
    for p in pixels:
        for code in (4, p):
            bits |= code << nbits
            nbits += 3
            while nbits >= 8:
                out.append(bits & 255)
                bits >>= 8
                nbits -= 8
    bits |= 5 << nbits
    nbits += 3
    while nbits > 0:
        out.append(bits & 255)
        bits >>= 8
        nbits -= 8
    blocks = b""
    for i in range(0, len(out), 255):
        part = bytes(out[i:i + 255])
        blocks += bytes([len(part)]) + part
    return b"," + struct.pack("<HHHHB", left, top, width, height, 0) + b"\x02" + blocks + b"\0"

# A 3 x 2 screen with a 6 x 4 frame at (1, 1): the frame reaches past the screen.
open("gif_frame_past_screen.gif", "wb").write(gif(3, 2, image(1, 1, 6, 4, [1, 0] * 12)))
# A 65535 x 65535 screen.
open("gif_huge_screen.gif", "wb").write(gif(65535, 65535, image(0, 0, 2, 2, [1, 0, 0, 1])))
# A 16000 x 16000 screen, within the side limit, showing one 2 x 2 frame.
open("gif_lying_screen.gif", "wb").write(gif(16000, 16000, image(0, 0, 2, 2, [1, 0, 0, 1])))
# No colour map at all.
open("gif_no_colour_map.gif", "wb").write(gif(2, 2, image(0, 0, 2, 2, [1, 0, 0, 1]), global_map=False))

# The baseline JPEG with its frame header claiming 60000 x 60000 pixels.
jpeg = bytearray(open("jpeg_baseline.jpg", "rb").read())
sof = jpeg.index(b"\xff\xc0")
jpeg[sof + 5:sof + 9] = struct.pack(">HH", 60000, 60000)
open("jpeg_huge.jpg", "wb").write(bytes(jpeg))

# The grey JPEG claiming 15128 x 12816 pixels.
jpeg = bytearray(open("jpeg_grey.jpg", "rb").read())
sof = jpeg.index(b"\xff\xc0")
jpeg[sof + 5:sof + 9] = struct.pack(">HH", 12816, 15128)
open("jpeg_lying_size.jpg", "wb").write(bytes(jpeg))
