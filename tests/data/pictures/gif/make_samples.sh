#!/bin/sh
# Makes the small sample GIF files of the GIF tests with ImageMagick.
set -e
cd "$(dirname "$0")"
# Interlaced, one global table of 256 colours, odd size.
convert -size 37x23 plasma:fractal -seed 7 -colors 200 -interlace GIF interlaced.gif
# Three frames with delays, the loop extension and a local table each.
convert -seed 3 -size 19x13 plasma:red-blue plasma:green-yellow plasma:white-black \
  -colors 31 -set delay 20 -loop 3 animated.gif
# A comment of two lines.
convert -size 8x5 gradient:red-blue -colors 16 -set comment 'first line
second line' comment.gif
# Two colours, 87a-style, no extension at all.
convert -size 10x7 pattern:checkerboard -colors 2 +repage -strip GIF87:twocolor.gif
# Noise in 256 colours: long LZW data with several table resets.
convert -seed 11 -size 160x120 xc:gray +noise Random -colors 256 noise.gif
