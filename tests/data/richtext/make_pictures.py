#!/usr/bin/env python3
"""Makes the small pictures of the picture-variant tests (needs python3-pil).

Run in this folder; the files are kept in the repository, so this only
documents how they were made.
"""
from PIL import Image


def quarters(size, mode="RGB"):
    """Four coloured quarters, so that a wrong row order or channel shows."""
    image = Image.new(mode, (size, size))
    colours = [(255, 0, 0), (0, 128, 0), (0, 0, 255), (255, 255, 0)]
    half = size // 2
    for index, colour in enumerate(colours):
        left, top = (index % 2) * half, (index // 2) * half
        for y in range(top, top + half):
            for x in range(left, left + half):
                image.putpixel((x, y), colour)
    return image


quarters(6).save("pic.bmp")
quarters(6).save("pic.png")
quarters(8).save("photo.jpg", quality=90)
quarters(16).save("icon.ico", sizes=[(16, 16)])
quarters(4).save("pic.tif")
quarters(4).convert("P").save("pic.gif")
