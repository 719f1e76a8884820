# PNGs with colour keys and 16-bit channels of every value, and the hostile
# text chunk, written byte by byte.
import random, struct, zlib

def chunk(kind, data, length=None):
    head = struct.pack(">I", len(data) if length is None else length)
    return head + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xffffffff)

def png(width, height, depth, colour_type, rows, extra=b""):
    ihdr = struct.pack(">IIBBBBB", width, height, depth, colour_type, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + extra +
            chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))

rng = random.Random(29)
W, H = 8, 6

def rows_of(pixel_bytes):
    return b"".join(b"\0" + b"".join(pixel_bytes(x, y) for x in range(W)) for y in range(H))

# 8-bit RGB and grey with a colour key on a checker of pixels.
key_rgb = (10, 200, 30)
rgb8 = rows_of(lambda x, y: bytes(key_rgb) if (x + y) % 3 == 0 else bytes([x * 30, y * 40, 90]))
open("png_rgb8_key.png", "wb").write(png(W, H, 8, 2, rgb8, chunk(b"tRNS", struct.pack(">HHH", *key_rgb))))
grey8 = rows_of(lambda x, y: bytes([77]) if (x * y) % 4 == 1 else bytes([x * 20 + y]))
open("png_grey8_key.png", "wb").write(png(W, H, 8, 0, grey8, chunk(b"tRNS", struct.pack(">H", 77))))
# 16-bit keys match all 16 bits: pixels differing only in the low byte stay.
key16 = (0x1234, 0xABCD, 0x00FF)
def rgb16_pixel(x, y):
    if (x + y) % 3 == 0:
        return struct.pack(">HHH", *key16)
    if (x + y) % 3 == 1:
        return struct.pack(">HHH", key16[0], key16[1], key16[2] + 1)
    return struct.pack(">HHH", *(rng.randrange(65536) for _ in range(3)))
open("png_rgb16_key.png", "wb").write(png(W, H, 16, 2, rows_of(rgb16_pixel), chunk(b"tRNS", struct.pack(">HHH", *key16))))
def grey16_pixel(x, y):
    return struct.pack(">H", 0x8080 if x % 2 == 0 else (0x8081 if y % 2 else rng.randrange(65536)))
open("png_grey16_key.png", "wb").write(png(W, H, 16, 0, rows_of(grey16_pixel), chunk(b"tRNS", struct.pack(">H", 0x8080))))
# 16-bit channels of every kind of low byte, without and with alpha.
open("png_rgb16_noise.png", "wb").write(png(W, H, 16, 2, rows_of(
    lambda x, y: struct.pack(">HHH", *(rng.randrange(65536) for _ in range(3))))))
open("png_rgba16_noise.png", "wb").write(png(W, H, 16, 6, rows_of(
    lambda x, y: struct.pack(">HHHH", *(rng.randrange(65536) for _ in range(3)), rng.choice([0, 0xFFFF, rng.randrange(65536)])))))
# A 1 x 1 image whose text chunk claims 1,950,960,933 bytes and is cut short.
ihdr = struct.pack(">IIBBBBB", 1, 1, 8, 2, 0, 0, 0)
hostile = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) +
           struct.pack(">I", 1950960933) + b"tEXt" + b"Comment\0" + b"x" * 64)
open("png_text_huge.png", "wb").write(hostile)
# A 4 x 4 image with a text chunk of 1 MB compressed: the text is skipped
# and the image loads.
ztxt = b"Comment\0\0" + zlib.compress(b"x" * (1 << 20), 9)
rows = b"".join(b"\0" + bytes([200, 100, 50]) * 4 for _ in range(4))
open("png_ztxt_large.png", "wb").write(png(4, 4, 8, 2, rows, chunk(b"zTXt", ztxt)))
