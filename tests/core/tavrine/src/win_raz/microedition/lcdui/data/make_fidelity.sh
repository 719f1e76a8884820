#!/usr/bin/env bash
# Writes the fixtures of colour keys, 16-bit channels, CMYK JPEG, GIF
# disposal and an oversized PNG text chunk, each (but the last) with the
# pixels ImageMagick decodes from it (".rgba" or ".rgba16"; GIF frames
# coalesced, one after another). Run from this folder; the outputs are committed.
set -euo pipefail
python3 make_fidelity.py
convert -size 24x16 gradient:'#ff8020-#1040c0' -colorspace CMYK -quality 95 jpeg_cmyk.jpg
convert -size 24x16 gradient:'#ff8020-#1040c0' -colorspace CMYK -quality 95 -interlace JPEG jpeg_cmyk_progressive.jpg
# Eight frames on a 12 x 10 screen, each smaller than the screen and
# offset, with every disposal method before the next one, and a
# transparent colour in frames 3 to 6.
convert -delay 10 -dispose None \( -size 12x10 xc:'#2050a0' -repage 12x10+0+0 \) \
        -dispose None \( -size 6x4 xc:'#e01010' -repage 12x10+1+1 \) \
        -dispose Background \( -size 5x5 xc:'#10c010' -fill '#ff00ff' -draw 'point 2,2' -transparent '#ff00ff' -repage 12x10+4+3 \) \
        -dispose Previous \( -size 4x6 xc:'#f0f020' -fill '#ff00ff' -draw 'point 1,1' -transparent '#ff00ff' -repage 12x10+7+2 \) \
        -dispose Previous \( -size 3x3 xc:'#30d0d0' -fill '#ff00ff' -draw 'point 0,0' -transparent '#ff00ff' -repage 12x10+2+6 \) \
        -dispose Background \( -size 4x4 xc:'#9020c0' -fill '#ff00ff' -draw 'point 3,3' -transparent '#ff00ff' -repage 12x10+8+6 \) \
        -dispose None \( -size 2x2 xc:'#ffffff' -repage 12x10+0+0 \) \
        -dispose None \( -size 3x2 xc:'#000000' -repage 12x10+9+8 \) \
        -loop 0 gif_disposal.gif
convert gif_disposal.gif -coalesce rgba:gif_disposal.rgba
for f in png_rgb8_key png_grey8_key png_ztxt_large; do convert "$f.png" -depth 8 rgba:"$f.rgba"; done
# 16-bit files keep ImageMagick's 16-bit decode (".rgba16", little-endian):
# its own reduction to 8 bits floors, the tests round.
# So do the CMYK JPEGs below.
for f in png_rgb16_key png_grey16_key png_rgb16_noise png_rgba16_noise; do
  convert "$f.png" -depth 16 -endian LSB rgba:"$f.rgba16"
done
for f in jpeg_cmyk jpeg_cmyk_progressive; do
  convert "$f.jpg" -colorspace sRGB -depth 16 -endian LSB rgba:"$f.rgba16"
done
# gif_disposal with every display time 0, cut short inside its third frame:
# the decoder passes over the first two and ends with the second.
python3 - <<'PY'
data = bytearray(open("gif_disposal.gif", "rb").read())
at = 0
while (at := data.find(b"\x21\xf9\x04", at)) >= 0:
    data[at + 4:at + 6] = b"\0\0"
    at += 8
third = [i for i in range(len(data)) if data[i] == 0x2C and data[i - 1] == 0][2]
open("gif_delay0_cut.gif", "wb").write(bytes(data[:third + 14]))
PY
