#!/usr/bin/env python3
"""Feeds vellumo-batch pictures with mutated headers and counts crashes and hangs.

Not part of the test suite: a run takes minutes.

    tools/fuzz-inputs.py build/cli/vellumo-batch [COUNT] [WORK_DIR]

Seeds (PNG, JPEG, GIF, WebP, BMP, TIFF, plain and animated or grey where the
format has it) are drawn with ImageMagick's convert. Each mutant changes a
few bytes among the first 512 of a seed (random bytes, bit flips, the
extreme values 0x00 0x7f 0x80 0xff in one or two bytes) and is sometimes cut
short or grown. Mutants go through the tool in batches, half of them with a
resize and a rotation; a batch that crashes or overruns its time is run
again file by file, each with its own time limit, to name the culprits.
Prints the counts and the time; exits 1 when anything crashed or hung.
"""

import os
import random
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


def make_seeds(directory):
    seeds = []
    for index, (suffix, arguments) in enumerate(SEEDS):
        path = os.path.join(directory, "seed%02d.%s" % (index, suffix))
        subprocess.run(["convert"] + arguments + [path], check=True)
        with open(path, "rb") as seed:
            seeds.append((suffix, seed.read()))
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
    seeds = make_seeds(work)
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
