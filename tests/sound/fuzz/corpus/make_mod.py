#!/usr/bin/env python3
"""Writes a small four-channel MOD song: two looped samples, two patterns with
notes, volume slides, a pattern break and a speed change."""
import math
import struct
import sys


def sample_header(name, data, volume, loop_start, loop_length):
    return (name.encode().ljust(22, b"\0") + struct.pack(">H", len(data) // 2) + bytes([0, volume])
            + struct.pack(">HH", loop_start // 2, loop_length // 2))


def cell(sample, period, effect, parameter):
    return bytes([(sample & 0xF0) | (period >> 8), period & 0xFF, ((sample & 0x0F) << 4) | effect, parameter])


sine = bytes((int(100 * math.sin(i * 2 * math.pi / 32)) & 0xFF) for i in range(64))
square = bytes((60 if i % 16 < 8 else 0xC4) for i in range(32))
headers = sample_header("sine", sine, 64, 0, 64) + sample_header("square", square, 48, 0, 0)
headers += b"".join(sample_header("", b"", 0, 0, 2) for _ in range(29))
orders = bytes([0, 1, 0]) + bytes(125)
patterns = b""
for pattern in range(2):
    for row in range(64):
        for channel in range(4):
            if row % 4 == channel:
                patterns += cell(1 + (row + pattern) % 2, 428 - 8 * channel, [0, 0xA, 0xC, 0xF][channel],
                                 [0, 0x04, 0x30, 0x06][channel])
            elif pattern == 1 and row == 40 and channel == 0:
                patterns += cell(0, 0, 0xD, 0x00)
            else:
                patterns += bytes(4)
song = b"fuzz seed".ljust(20, b"\0") + headers + bytes([3, 127]) + orders + b"M.K." + patterns + sine + square
with open(sys.argv[1], "wb") as out:
    out.write(song)
