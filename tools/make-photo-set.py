#!/usr/bin/env python3
"""Makes a folder of camera-like JPEG photos for trying the window by hand
and for timing thumbnails: 4000x3000 pictures with textured content and EXIF as cameras write it: the
camera's make and model, an orientation, the date taken, a location and an
embedded preview.

usage: make-photo-set.py FOLDER COUNT [--preview WxH] [--size WxH]
Needs ImageMagick's convert for the pictures themselves."""

import argparse
import os
import shutil
import struct
import subprocess
import tempfile


SHORT, LONG, ASCII, RATIONAL, BYTE = 3, 4, 2, 5, 1
SIZES = {BYTE: 1, ASCII: 1, SHORT: 2, LONG: 4, RATIONAL: 8}


def ifd(offset, entries, following=0):
    """A little-endian IFD at offset from (tag, type, values) entries, its
    longer values after it; the offset of the next IFD is following."""
    entries = sorted(entries)
    data_offset = offset + 2 + 12 * len(entries) + 4
    table, data = struct.pack("<H", len(entries)), b""
    for tag, kind, values in entries:
        if kind == ASCII:
            raw = values.encode() + b"\0"
        elif kind == RATIONAL:
            raw = b"".join(struct.pack("<II", n, d) for n, d in values)
        else:
            raw = b"".join(struct.pack("<" + {BYTE: "B", SHORT: "H", LONG: "I"}[kind], v) for v in values)
        count = len(raw) // SIZES[kind]
        if len(raw) <= 4:
            table += struct.pack("<HHI", tag, kind, count) + raw.ljust(4, b"\0")
        else:
            table += struct.pack("<HHII", tag, kind, count, data_offset + len(data))
            data += raw + b"\0" * (len(raw) % 2)
    return table + struct.pack("<I", following) + data


def exif_segment(orientation, preview, taken):
    """An APP1 segment as a camera writes it: IFD0 with the camera, the
    orientation and pointers to the EXIF and GPS directories, and IFD1 with
    the preview."""
    camera = [(0x010F, ASCII, "Vellumo Camera Works"), (0x0110, ASCII, "VC-1"),
              (0x0112, SHORT, [orientation])]
    ifd0_size = len(ifd(0, camera + [(0x8769, LONG, [0]), (0x8825, LONG, [0])]))
    exif_offset = 8 + ifd0_size
    exif = ifd(exif_offset, [(0x9003, ASCII, taken)])
    gps_offset = exif_offset + len(exif)
    gps = ifd(gps_offset, [(0x0000, BYTE, [2, 3, 0, 0]), (0x0001, ASCII, "N"),
                           (0x0002, RATIONAL, [(48, 1), (51, 1), (2406, 100)]),
                           (0x0003, ASCII, "E"), (0x0004, RATIONAL, [(2, 1), (17, 1), (4020, 100)])])
    ifd1_offset = gps_offset + len(gps)
    ifd0 = ifd(8, camera + [(0x8769, LONG, [exif_offset]), (0x8825, LONG, [gps_offset])], ifd1_offset)
    preview_offset = ifd1_offset + 2 + 3 * 12 + 4
    ifd1 = ifd(ifd1_offset, [(0x0103, SHORT, [6]), (0x0201, LONG, [preview_offset]),
                             (0x0202, LONG, [len(preview)])])
    tiff = b"II*\0" + struct.pack("<I", 8) + ifd0 + exif + gps + ifd1 + preview
    body = b"Exif\0\0" + tiff
    return b"\xff\xe1" + struct.pack(">H", len(body) + 2) + body


def with_exif(jpeg, orientation, preview, taken):
    assert jpeg[:2] == b"\xff\xd8"
    return jpeg[:2] + exif_segment(orientation, preview, taken) + jpeg[2:]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("folder")
    parser.add_argument("count", type=int)
    parser.add_argument("--size", default="4000x3000")
    parser.add_argument("--preview", default="160x120")
    arguments = parser.parse_args()
    os.makedirs(arguments.folder, exist_ok=True)
    with tempfile.TemporaryDirectory() as scratch:
        photo = os.path.join(scratch, "photo.jpg")
        small = os.path.join(scratch, "preview.jpg")
        # Smooth colour fields with fine noise compress and decode like a photo.
        subprocess.run(["convert", "-size", arguments.size, "gradient:#3a6ea5-#e8c170",
                        "(", "+clone", "-attenuate", "0.6", "+noise", "Gaussian", ")",
                        "-compose", "overlay", "-composite", "-quality", "92",
                        photo], check=True)
        subprocess.run(["convert", photo, "-resize", arguments.preview + "!", "-quality", "80",
                        small], check=True)
        picture = open(photo, "rb").read()
        preview = open(small, "rb").read()
    orientations = [1, 6, 8, 3]
    for index in range(arguments.count):
        name = os.path.join(arguments.folder, "IMG_%04d.JPG" % (index + 1))
        with open(name, "wb") as out:
            taken = "2026:06:%02d 10:%02d:00" % (1 + index // 60 % 28, index % 60)
            out.write(with_exif(picture, orientations[index % len(orientations)], preview, taken))


if __name__ == "__main__":
    main()
