#!/usr/bin/env bash
# Writes the image fixtures with ImageMagick and, beside each, the pixels
# ImageMagick decodes from it (".rgba", 4 bytes per pixel, frames one after
# another for GIF). Run from this folder; the outputs are committed.
set -euo pipefail
rm -f -- *.png *.jpg *.gif *.rgba
python3 make_sources.py

png() { convert "$1" "${@:3}" "$2"; }
png rgba_source.pam png_rgb8.png -alpha off -define png:color-type=2 -define png:bit-depth=8
png rgba_source.pam png_rgb16.png -alpha off -define png:color-type=2 -define png:bit-depth=16
png rgba_source.pam png_rgba8.png -define png:color-type=6 -define png:bit-depth=8
png rgba_source.pam png_rgba16.png -define png:color-type=6 -define png:bit-depth=16
png rgba_source.pam png_grey8.png -alpha off -colorspace Gray -define png:color-type=0 -define png:bit-depth=8
png grey_levels.pgm png_grey4.png -define png:color-type=0 -define png:bit-depth=4
png grey_levels.pgm png_grey2.png -posterize 4 -define png:color-type=0 -define png:bit-depth=2
png rgba_source.pam png_greyalpha8.png -colorspace Gray -define png:color-type=4 -define png:bit-depth=8
png rgba_source.pam png_rgb8_interlaced.png -alpha off -interlace PNG -define png:color-type=2
png rgba_source.pam png_rgba8_interlaced.png -interlace PNG -define png:color-type=6
convert palette_source.pam PNG8:png_palette8.png
convert palette_source.pam -define png:bit-depth=4 PNG8:png_palette4.png
convert palette_source.pam -interlace PNG -define png:bit-depth=4 PNG8:png_palette4_interlaced.png
png two_colours.pam png_palette2.png -define png:color-type=3 -define png:bit-depth=2

convert rgba_source.pam -alpha off -quality 92 jpeg_baseline.jpg
convert rgba_source.pam -alpha off -quality 92 -interlace JPEG jpeg_progressive.jpg
convert rgba_source.pam -alpha off -colorspace Gray -quality 92 jpeg_grey.jpg

convert palette_source.pam -alpha off gif_still.gif
convert palette_source.pam -interlace GIF gif_interlaced.gif
convert palette_source.pam gif_transparent.gif
convert -delay 0 palette_source.pam gif_still_delay0.gif
convert -delay 20 rgba_source.pam -alpha off -colors 32 \
        -delay 35 -dispose None -page +2+1 frame_small.pam \
        -delay 50 -page +0+0 palette_source.pam -loop 0 gif_animated.gif

# The largest pictures the decoders must still load: 2048 x 2048, red at the
# top to blue at the bottom (no pixel references beside them).
big() { convert -size 2048x2048 gradient:'#ff0000-#0000ff' "$@"; }
big -depth 8 -alpha set -interlace PNG -define png:color-type=6 big_2048_rgba_interlaced.png
big -quality 80 -interlace JPEG big_2048_progressive.jpg
big +dither -colors 16 big_2048.gif

for f in *.png *.jpg; do [[ $f == big_* ]] && continue; convert "$f" -depth 8 rgba:"${f%.*}.rgba"; done
for f in gif_still gif_interlaced gif_transparent gif_still_delay0; do convert "$f.gif" rgba:"$f.rgba"; done
convert gif_animated.gif -coalesce rgba:gif_animated.rgba

python3 make_hostile.py
rm -f rgba_source.pam palette_source.pam two_colours.pam grey_levels.pgm frame_small.pam
