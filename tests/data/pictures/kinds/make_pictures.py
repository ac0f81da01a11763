#!/usr/bin/python3
"""Makes the small pictures and the expected values the picture kind tests
use. Needs python3-pil. Run from this folder; the BMP suite is the copy in
tests/data/pictures/bmpsuite unless another folder is given."""
import sys
import zlib
from pathlib import Path

from PIL import Image


def gradient(width, height):
    image = Image.new("RGB", (width, height))
    for y in range(height):
        for x in range(width):
            image.putpixel((x, y), (x * 255 // (width - 1), y * 255 // (height - 1), 128))
    return image


def make_pictures():
    picture = gradient(16, 8)
    picture.save("colour.jpg", quality=90)
    picture.convert("L").save("grey.jpg", quality=90)
    picture.save("progressive.jpg", quality=90, progressive=True)
    gradient(32, 32).save("icon.ico", sizes=[(16, 16), (32, 32)])
    quarters = Image.new("RGB", (6, 4), (255, 0, 0))
    quarters.paste((0, 0, 255), (3, 0, 6, 4))
    quarters.save("quarters.tif", compression="tiff_lzw")
    quarters.save("quarters.gif")


def write_expected(suite):
    """CRC-32 of each bitmap's pixels as R, G, B rows from the top, as an
    independent decoder sees them. Left out: 16-bit files (their channel
    scaling is the reader's own choice), run-length files with skipped
    pixels (their colour is undefined), and 4-bit run-length files, which
    this version of PIL decodes wrongly (pal4rle.bmp should match pal4.bmp)."""
    lines = []
    for path in sorted(Path(suite).glob("[gq]/*.bmp")):
        name = f"{path.parent.name}/{path.name}"
        if "16" in path.name or "rletrns" in path.name or "pal4rle" in path.name:
            continue
        try:
            image = Image.open(path)
            image.load()
        except Exception:
            continue
        rgb = image.convert("RGB")
        lines.append(f"{name} {rgb.width} {rgb.height} {zlib.crc32(rgb.tobytes()):08x}\n")
    Path("bmpsuite_rgb_crc.txt").write_text("".join(lines))


if __name__ == "__main__":
    make_pictures()
    write_expected(sys.argv[1] if len(sys.argv) > 1 else "../bmpsuite")
