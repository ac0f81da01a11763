"""Small Windows metafiles, written from the WMF record layout: the preview
pictures that old equation editors leave in a document.

A metafile is a header, then records of (size in 16-bit words, function,
parameters), ending with an EOF record. Parameters of the drawing records
come in reverse order (y before x, bottom before top).
"""

import struct

PLACEABLE_KEY = 0x9AC6CDD7
META_SETWINDOWORG = 0x020B
META_SETWINDOWEXT = 0x020C
META_RECTANGLE = 0x041B
META_POLYLINE = 0x0325
META_EOF = 0x0000


def record(function, *parameters):
    size_in_words = 3 + len(parameters)
    return struct.pack(f"<IH{len(parameters)}h", size_in_words, function,
                       *parameters)


def placeable_header(width, height, units_per_inch):
    """The 22-byte header that gives the picture its size; its checksum is
    the XOR of the ten words before it."""
    words = struct.pack("<IHhhhhHI", PLACEABLE_KEY, 0, 0, 0, width, height,
                        units_per_inch, 0)
    checksum = 0
    for (word,) in struct.iter_unpack("<H", words):
        checksum ^= word
    return words + struct.pack("<H", checksum)


def metafile(width, height, placeable, units_per_inch=1440):
    """A frame with a fraction bar drawn across it, width x height logical
    units; with placeable, preceded by the header that sizes it at
    units_per_inch."""
    margin = min(width, height) // 20
    points = [(width // 4, height // 2), (width * 3 // 4, height // 2)]
    flat_points = [coordinate for point in points for coordinate in point]
    records = [
        record(META_SETWINDOWORG, 0, 0),
        record(META_SETWINDOWEXT, height, width),
        record(META_RECTANGLE, height - margin, width - margin, margin, margin),
        record(META_POLYLINE, len(points), *flat_points),
        record(META_EOF),
    ]
    body = b"".join(records)
    header_words = 9
    total_words = header_words + len(body) // 2
    largest_record = max(len(r) for r in records) // 2
    header = struct.pack("<HHHIHIH", 1, header_words, 0x0300, total_words,
                         0, largest_record, 0)
    data = header + body
    if placeable:
        data = placeable_header(width, height, units_per_inch) + data
    return data
