#!/usr/bin/env python3
"""Makes a folder of camera-like JPEG photos for trying the window by hand
and for timing thumbnails: 4000x3000 pictures with textured content, an EXIF
orientation and an embedded EXIF preview, as cameras write them.

usage: make-photo-set.py FOLDER COUNT [--preview WxH] [--size WxH]
Needs ImageMagick's convert for the pictures themselves."""

import argparse
import os
import shutil
import struct
import subprocess
import tempfile


def exif_segment(orientation, preview):
    """An APP1 segment with IFD0 holding the orientation and IFD1 the preview."""
    ifd0_offset = 8
    ifd0 = struct.pack("<H", 1) + struct.pack("<HHII", 0x0112, 3, 1, orientation)
    ifd1_offset = ifd0_offset + len(ifd0) + 4
    ifd0 += struct.pack("<I", ifd1_offset)
    preview_offset = ifd1_offset + 2 + 3 * 12 + 4
    ifd1 = struct.pack("<H", 3)
    ifd1 += struct.pack("<HHII", 0x0103, 3, 1, 6)  # compression: JPEG
    ifd1 += struct.pack("<HHII", 0x0201, 4, 1, preview_offset)
    ifd1 += struct.pack("<HHII", 0x0202, 4, 1, len(preview))
    ifd1 += struct.pack("<I", 0)
    tiff = b"II*\0" + struct.pack("<I", ifd0_offset) + ifd0 + ifd1 + preview
    body = b"Exif\0\0" + tiff
    return b"\xff\xe1" + struct.pack(">H", len(body) + 2) + body


def with_exif(jpeg, orientation, preview):
    assert jpeg[:2] == b"\xff\xd8"
    return jpeg[:2] + exif_segment(orientation, preview) + jpeg[2:]


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
            out.write(with_exif(picture, orientations[index % len(orientations)], preview))


if __name__ == "__main__":
    main()
