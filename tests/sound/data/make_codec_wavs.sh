#!/bin/sh
# Remakes the WAV files of other codecs and headers (sox and python3); run from this folder.
set -e
sox -n -r 8000 -c 1 -e a-law alaw.wav synth 0.01 sine 440
sox -n -r 8000 -c 1 -e u-law ulaw.wav synth 0.01 sine 440
sox -n -r 8000 -c 2 -b 16 -e signed-integer pcm16_plain.wav synth 0.01 sine 440
# The same sound with a WAVE_FORMAT_EXTENSIBLE header (PCM sub-format).
python3 - <<'PY'
import struct
data = open("pcm16_plain.wav", "rb").read()
pcm = data[data.index(b"data") + 8:]
guid = struct.pack("<H", 1) + bytes.fromhex("000000001000800000aa00389b71")
fmt = struct.pack("<HHIIHHHHI", 0xFFFE, 2, 8000, 32000, 4, 16, 22, 16, 3) + guid
body = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt + b"data" + struct.pack("<I", len(pcm)) + pcm
open("pcm16_extensible.wav", "wb").write(b"RIFF" + struct.pack("<I", len(body)) + body)
PY
