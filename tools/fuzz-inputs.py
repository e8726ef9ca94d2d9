#!/usr/bin/env python3
"""Feeds vellumo-batch pictures with mutated headers and counts crashes and hangs.

Not part of the test suite: a run takes minutes.

    tools/fuzz-inputs.py build/cli/vellumo-batch [COUNT] [WORK_DIR]

Seeds (PNG, JPEG, GIF, WebP, BMP, TIFF, plain and animated or grey where the
format has it) are drawn with ImageMagick's convert; HEIC and AVIF (opaque
and with alpha) and JPEG XL (a bare codestream, and the same in its
container) are written from them by the tool itself, and a small DNG, a
camera raw file of TIFF structure, is written here. Each mutant changes a
few bytes among the first 512 of a seed (random bytes, bit flips, the
extreme values 0x00 0x7f 0x80 0xff in one or two bytes) and is sometimes cut
short or grown. Mutants go through the tool in batches, half of them with a
resize and a rotation; a batch that crashes or overruns its time is run
again file by file, each with its own time limit, to name the culprits.
Prints the counts and the time; exits 1 when anything crashed or hung.
"""

import os
import random
import struct
import shutil
import signal
import subprocess
import sys
import tempfile
import time

BATCH = 50
SECONDS_PER_FILE = 10

SEEDS = [
    ("png", ["-size", "48x32", "gradient:red-blue"]),
    ("png", ["-size", "40x30", "xc:gray", "-colorspace", "Gray", "-depth", "1"]),
    ("jpg", ["-size", "64x48", "plasma:fractal", "-seed", "1"]),
    ("jpg", ["-size", "64x48", "gradient:", "-colorspace", "Gray"]),
    ("gif", ["-size", "40x30", "gradient:green-yellow"]),
    ("gif", ["-delay", "10", "-size", "32x24", "xc:red", "xc:blue", "xc:green"]),
    ("webp", ["-size", "48x32", "gradient:white-black"]),
    ("webp", ["-size", "48x32", "gradient:white-black", "-alpha", "set", "-channel", "A",
              "-evaluate", "set", "50%", "-define", "webp:lossless=true"]),
    ("bmp", ["-size", "40x30", "gradient:orange-purple"]),
    ("bmp", ["-size", "40x30", "gradient:", "-type", "Palette", "-colors", "4"]),
    ("tiff", ["-size", "40x30", "gradient:cyan-magenta"]),
    ("tiff", ["-size", "40x30", "gradient:", "-compress", "LZW"]),
]

OPTION_SETS = [[], ["--width", "64", "--height", "64", "--rotation", "7"]]


# Written by the tool from the first PNG seed (opaque) and the second WebP
# seed (half transparent).
TOOL_SEEDS = [("heic", 0), ("heic", 7), ("avif", 0), ("avif", 7), ("jxl", 0), ("jxl", 7)]


def jxl_container(codestream):
    """The codestream in the ISO box container: signature, ftyp, jxlc."""
    signature = b"\0\0\0\x0cJXL \r\n\x87\n"
    ftyp = struct.pack(">I", 20) + b"ftypjxl \0\0\0\0jxl "
    return signature + ftyp + struct.pack(">I", 8 + len(codestream)) + b"jxlc" + codestream


def dng(width=32, height=24):
    """A plain uncompressed DNG of 16-bit RGGB samples, held on its side."""
    entries = [(0x00FE, 4, [0]), (0x0100, 4, [width]), (0x0101, 4, [height]), (0x0102, 3, [16]),
               (0x0103, 3, [1]), (0x0106, 3, [32803]), (0x0111, 4, [0]), (0x0112, 3, [6]),
               (0x0115, 3, [1]), (0x0116, 4, [height]), (0x0117, 4, [width * height * 2]),
               (0x011C, 3, [1]), (0x828D, 3, [2, 2]), (0x828E, 1, [0, 1, 1, 2]),
               (0xC612, 1, [1, 4, 0, 0]), (0xC61D, 4, [4095]),
               (0xC621, 10, [1, 1, 0, 1, 0, 1, 0, 1, 1, 1, 0, 1, 0, 1, 0, 1, 1, 1]),
               (0xC628, 5, [1, 1, 1, 1, 1, 1])]
    packing = {1: "B", 3: "H", 4: "I", 5: "I", 10: "i"}
    counts = {5: 2, 10: 2}
    directory_end = 8 + 2 + 12 * len(entries) + 4
    extra = b""
    values = []
    for tag, kind, value in entries:
        data = struct.pack("<%d%s" % (len(value), packing[kind]), *value)
        values.append((tag, kind, len(value) // counts.get(kind, 1), data))
        if len(data) > 4:
            extra += data
    samples_at = directory_end + len(extra)
    directory = struct.pack("<H", len(entries))
    extra_at = directory_end
    for tag, kind, count, data in values:
        if tag == 0x0111:
            data = struct.pack("<I", samples_at)
        if len(data) > 4:
            directory += struct.pack("<HHII", tag, kind, count, extra_at)
            extra_at += len(data)
        else:
            directory += struct.pack("<HHI", tag, kind, count) + data.ljust(4, b"\0")
    samples = b"".join(struct.pack("<H", 500 + (x * 97 + y * 31) % 3000)
                       for y in range(height) for x in range(width))
    return b"II*\0" + struct.pack("<I", 8) + directory + struct.pack("<I", 0) + extra + samples


def make_seeds(directory, tool):
    seeds = []
    paths = []
    for index, (suffix, arguments) in enumerate(SEEDS):
        path = os.path.join(directory, "seed%02d.%s" % (index, suffix))
        subprocess.run(["convert"] + arguments + [path], check=True)
        paths.append(path)
        with open(path, "rb") as seed:
            seeds.append((suffix, seed.read()))
    written = os.path.join(directory, "written")
    for suffix, source in TOOL_SEEDS:
        shutil.rmtree(written, ignore_errors=True)
        subprocess.run([tool, "--quiet", "-f", suffix, "-o", written, paths[source]], check=True)
        with open(os.path.join(written, os.listdir(written)[0]), "rb") as seed:
            seeds.append((suffix, seed.read()))
    seeds.append(("jxl", jxl_container(seeds[-1][1])))
    seeds.append(("dng", dng()))
    return seeds


def mutate(data, rng):
    data = bytearray(data)
    head = min(len(data), 512)
    for _ in range(rng.randint(1, 6)):
        position = rng.randrange(head)
        kind = rng.randrange(4)
        if kind == 0:
            data[position] = rng.randrange(256)
        elif kind == 1:
            data[position] ^= 1 << rng.randrange(8)
        else:
            value = rng.choice([0x00, 0x7f, 0x80, 0xff])
            data[position] = value
            if kind == 3 and position + 1 < len(data):
                data[position + 1] = value
    roll = rng.random()
    if roll < 0.15:
        data = data[: rng.randrange(1, len(data))]
    elif roll < 0.2:
        data += bytes(rng.randrange(256) for _ in range(rng.randrange(1, 2048)))
    return bytes(data)


def run(tool, paths, options, output, timeout):
    shutil.rmtree(output, ignore_errors=True)
    try:
        result = subprocess.run([tool, "--quiet"] + options + ["-o", output, "--"] + paths,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                timeout=timeout)
    except subprocess.TimeoutExpired:
        return "hang"
    return "crash" if result.returncode < 0 or result.returncode > 2 else "ok"


def main():
    tool = os.path.abspath(sys.argv[1])
    count = int(sys.argv[2]) if len(sys.argv) > 2 else 10000
    work = sys.argv[3] if len(sys.argv) > 3 else tempfile.mkdtemp(prefix="vellumo-fuzz-")
    os.makedirs(work, exist_ok=True)
    rng = random.Random(20261209)
    seeds = make_seeds(work, tool)
    inputs = os.path.join(work, "inputs")
    output = os.path.join(work, "out")
    started = time.monotonic()
    findings = {"crash": [], "hang": []}
    done = 0
    while done < count:
        shutil.rmtree(inputs, ignore_errors=True)
        os.makedirs(inputs)
        paths = []
        for index in range(min(BATCH, count - done)):
            suffix, seed = rng.choice(seeds)
            path = os.path.join(inputs, "m%06d.%s" % (done + index, suffix))
            with open(path, "wb") as mutant:
                mutant.write(mutate(seed, rng))
            paths.append(path)
        options = OPTION_SETS[(done // BATCH) % len(OPTION_SETS)]
        if run(tool, paths, options, output, SECONDS_PER_FILE * len(paths)) != "ok":
            for path in paths:
                verdict = run(tool, [path], options, output, SECONDS_PER_FILE)
                if verdict != "ok":
                    kept = os.path.join(work, verdict + "-" + os.path.basename(path))
                    shutil.copy(path, kept)
                    findings[verdict].append(kept)
        done += len(paths)
    elapsed = time.monotonic() - started
    print("%d files in %.0f s: %d crashes, %d hangs" % (done, elapsed, len(findings["crash"]),
                                                        len(findings["hang"])))
    for verdict in ("crash", "hang"):
        for path in findings[verdict]:
            print(verdict, path)
    return 1 if findings["crash"] or findings["hang"] else 0


if __name__ == "__main__":
    signal.signal(signal.SIGINT, signal.SIG_DFL)
    sys.exit(main())
