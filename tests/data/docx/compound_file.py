"""A minimal OLE compound file (version 3, 512-byte sectors) holding a few
streams: the container of Word 97-2003 documents and of password-protected
.docx files.

Layout: the header, one FAT sector, one directory sector, then each stream
in consecutive sectors. Streams shorter than the mini-stream cutoff (4096
bytes) would belong in the mini stream; taking only longer ones keeps
every stream in regular sectors, with no mini FAT.
"""

import struct

SIGNATURE = bytes.fromhex("D0CF11E0A1B11AE1")
SECTOR = 512
MINI_STREAM_CUTOFF = 4096
FREE, END_OF_CHAIN, FAT_SECTOR, NO_STREAM = 0xFFFFFFFF, 0xFFFFFFFE, 0xFFFFFFFD, 0xFFFFFFFF
STORAGE_ROOT, STREAM = 5, 2
BLACK = 1


def header(fat_sector, directory_sector):
    difat = [fat_sector] + [FREE] * 108
    return (SIGNATURE + bytes(16)
            + struct.pack("<HHHHH6sIIIIIIIII", 0x3E, 3, 0xFFFE, 9, 6, bytes(6),
                          0, 1, directory_sector, 0, MINI_STREAM_CUTOFF,
                          END_OF_CHAIN, 0, END_OF_CHAIN, 0)
            + struct.pack("<109I", *difat))


def directory_entry(name, kind, left=NO_STREAM, right=NO_STREAM, child=NO_STREAM,
                    start=END_OF_CHAIN, size=0):
    encoded = (name + "\0").encode("utf-16-le")
    return (encoded.ljust(64, b"\0")
            + struct.pack("<HBBIII16sIQQIQ", len(encoded), kind, BLACK, left, right,
                          child, bytes(16), 0, 0, 0, start, size))


def compound_file(streams):
    """streams: two (name, bytes) pairs, the first name sorting before the
    second (shorter, or as long and lower in upper case): the directory is
    the red-black tree root -> second, second.left -> first."""
    (first_name, first), (second_name, second) = streams
    if min(len(first), len(second)) < MINI_STREAM_CUTOFF:
        raise ValueError("a stream under 4096 bytes belongs in the mini stream")
    padded = [data.ljust(-(-len(data) // SECTOR) * SECTOR, b"\0") for data in (first, second)]
    fat = [FAT_SECTOR, END_OF_CHAIN]
    starts = []
    for data in padded:
        count = len(data) // SECTOR
        starts.append(len(fat))
        fat.extend(range(len(fat) + 1, len(fat) + count))
        fat.append(END_OF_CHAIN)
    if len(fat) > SECTOR // 4:
        raise ValueError("the streams need more than one FAT sector")
    fat_bytes = struct.pack(f"<{SECTOR // 4}I", *(fat + [FREE] * (SECTOR // 4 - len(fat))))
    directory = (directory_entry("Root Entry", STORAGE_ROOT, child=2)
                 + directory_entry(first_name, STREAM, start=starts[0], size=len(first))
                 + directory_entry(second_name, STREAM, left=1, start=starts[1],
                                   size=len(second))
                 + bytes(128))
    return header(0, 1) + fat_bytes + directory + b"".join(padded)
