# Small source pictures with odd sizes for the fixtures.
W, H = 7, 5

def pam(name, pixels, width, height):
    with open(name, "wb") as f:
        f.write(b"P7\nWIDTH %d\nHEIGHT %d\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n" % (width, height))
        for p in pixels:
            f.write(bytes(p))

rgba = []
for y in range(H):
    for x in range(W):
        alpha = [255, 0, 128, 255, 64, 255, 200][(x + 2 * y) % 7]
        rgba.append(((x * 37 + y * 11) % 256, (x * 19 + y * 53) % 256, (200 - x * 23 - y * 7) % 256, alpha))
pam("rgba_source.pam", rgba, W, H)

colours = [(255, 0, 0, 255), (0, 128, 255, 255), (250, 250, 10, 255), (0, 0, 0, 0), (30, 200, 90, 255), (255, 255, 255, 255)]
palette = [colours[(x * 3 + y * 2) % len(colours)] for y in range(H) for x in range(W)]
pam("palette_source.pam", palette, W, H)

two = [((x + y) % 2 * 255, 40, 90, 255) for y in range(H) for x in range(W)]
pam("two_colours.pam", two, W, H)

small = [(255 - x * 60, 40 * y, 100, 255) for y in range(3) for x in range(4)]
pam("frame_small.pam", small, 4, 3)

with open("grey_levels.pgm", "wb") as f:
    f.write(b"P5\n%d %d\n255\n" % (W, H))
    f.write(bytes(((x + y * W) * 17) % 256 for y in range(H) for x in range(W)))

# A palette PNG whose tRNS has a fully and a partly transparent entry.
import struct, zlib

def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xffffffff)

entries = [(200, 30, 30), (20, 220, 40), (10, 10, 250), (250, 250, 250)]
rows = b"".join(b"\0" + bytes((x + y) % 4 for x in range(W)) for y in range(H))
with open("png_palette_partial_alpha.png", "wb") as f:
    f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", W, H, 8, 3, 0, 0, 0)) +
            chunk(b"PLTE", bytes(c for e in entries for c in e)) + chunk(b"tRNS", bytes([255, 0, 128])) +
            chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))
