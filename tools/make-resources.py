#!/usr/bin/env python3
"""Draws the images compiled into Vellumo: the style-sheet images of
resources/qss/default/, the SVG icons of resources/image/ and the window
icon file resources/image/logo.ico; and the logo at the sizes of the
desktop's icon theme, resources/icons/SIZExSIZE/vellumo.png, which are
installed beside logo.svg as the program's icon.

Standard library only.  The outputs are committed, so the build needs no
image tool; run this again after changing a shape or a colour:

    tools/make-resources.py [RESOURCES_DIR]

Raster images are drawn by point sampling: every pixel takes SAMPLES x
SAMPLES samples, each sample gets the colour of the topmost shape that
covers it (or transparency), and the pixel is their average.  The output is
the same byte for byte on every run.
"""

import math
import struct
import sys
import zlib
from pathlib import Path

GREY = "#707c88"
GREEN = "#00b688"
WHITE = "#ffffff"
FRAME = "#b6b6b6"
FRAME_DISABLED = "#d2d2d2"
FILL_DISABLED = "#f5f5f5"
MARK = "#57595b"
MARK_DISABLED = "#a0a0a0"

SUN = "#FFAA00"
MOUNTAIN_FRONT = "#00B688"
MOUNTAIN_BACK = "#00CA97"

STYLE_IMAGE_SIZE = 20


# ---------------------------------------------------------------- shapes
# A shape is a function (x, y) -> bool in drawing units.

def circle(cx, cy, radius):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius


def rounded_rect(left, top, right, bottom, radius):
    def inside(x, y):
        if not (left <= x <= right and top <= y <= bottom):
            return False
        # distance outside the inner rectangle whose corners are the arc centres
        dx = max(left + radius - x, 0.0, x - (right - radius))
        dy = max(top + radius - y, 0.0, y - (bottom - radius))
        return dx * dx + dy * dy <= radius * radius
    return inside


def polygon(points):
    """Even-odd rule, so the points may go either way round."""
    edges = list(zip(points, points[1:] + points[:1]))

    def inside(x, y):
        crossings = 0
        for (x0, y0), (x1, y1) in edges:
            if (y0 > y) != (y1 > y):
                if x < x0 + (y - y0) * (x1 - x0) / (y1 - y0):
                    crossings += 1
        return crossings % 2 == 1
    return inside


def polyline(points, width):
    """A stroke with round caps and joins."""
    half_squared = (width / 2) ** 2
    segments = list(zip(points, points[1:]))

    def distance_squared(x, y, x0, y0, x1, y1):
        length_squared = (x1 - x0) ** 2 + (y1 - y0) ** 2
        t = ((x - x0) * (x1 - x0) + (y - y0) * (y1 - y0)) / length_squared
        t = min(1.0, max(0.0, t))
        return (x - x0 - t * (x1 - x0)) ** 2 + (y - y0 - t * (y1 - y0)) ** 2

    return lambda x, y: any(distance_squared(x, y, *a, *b) <= half_squared
                            for a, b in segments)


def rotated(points, quarter_turns, centre=STYLE_IMAGE_SIZE / 2):
    """Turns points clockwise (y grows downwards) about the image centre."""
    for _ in range(quarter_turns % 4):
        points = [(2 * centre - y, x) for x, y in points]
    return points


# ---------------------------------------------------------------- raster

def rgba(hex_colour):
    value = hex_colour.lstrip("#")
    return tuple(int(value[i:i + 2], 16) for i in (0, 2, 4)) + (255,)


def render(size, layers, units=STYLE_IMAGE_SIZE):
    """layers: [(shape, hex colour)], bottom first; shapes are drawn in a
    square of `units` by `units` that fills the image.  Returns rows of
    straight (not premultiplied) RGBA pixels."""
    samples = 8 if size <= 64 else 4
    step = units / size / samples
    shapes = [(shape, rgba(colour)) for shape, colour in reversed(layers)]
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            row.append(average_samples(x, y, samples, step, shapes))
        rows.append(row)
    return rows


def average_samples(x, y, samples, step, shapes):
    total = [0, 0, 0, 0]
    for sy in range(samples):
        unit_y = (y * samples + sy + 0.5) * step
        for sx in range(samples):
            unit_x = (x * samples + sx + 0.5) * step
            for shape, colour in shapes:
                if shape(unit_x, unit_y):
                    for channel in range(3):
                        total[channel] += colour[channel]
                    total[3] += 1
                    break
    count = samples * samples
    if total[3] == 0:
        return (0, 0, 0, 0)
    # every shape colour is opaque, so straight colour = sum over covered samples
    straight = tuple(round(total[channel] / total[3]) for channel in range(3))
    return straight + (round(255 * total[3] / count),)


# ---------------------------------------------------------------- PNG

def png_chunk(kind, data):
    return (struct.pack(">I", len(data)) + kind + data
            + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))


def png_bytes(rows):
    height, width = len(rows), len(rows[0])
    scan_lines = b"".join(b"\x00" + bytes(c for pixel in row for c in pixel)
                          for row in rows)
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", header)
            + png_chunk(b"IDAT", zlib.compress(scan_lines, 9))
            + png_chunk(b"IEND", b""))


# ---------------------------------------------------------------- style-sheet images

BOX_OUTER = rounded_rect(1, 1, 19, 19, 3)
BOX_INNER = rounded_rect(2.5, 2.5, 17.5, 17.5, 1.5)
TICK = polyline([(5.5, 10.5), (8.75, 13.75), (14.75, 6.5)], 2.5)
BAR = rounded_rect(5, 8.75, 15, 11.25, 0.5)
RING_OUTER = circle(10, 10, 9)
RING_INNER = circle(10, 10, 7.5)
DOT = circle(10, 10, 4)
TRIANGLE_UP = [(10, 5.5), (18, 14.5), (2, 14.5)]
MARKER_RIGHT = [(8, 5), (14, 10), (8, 15)]
CHEVRON_LEFT = [(12.5, 4.5), (7, 10), (12.5, 15.5)]


def check_box(frame, fill, mark=None):
    return [(BOX_OUTER, frame), (BOX_INNER, fill)] + ([mark] if mark else [])


def radio_button(ring, fill, mark=None):
    return [(RING_OUTER, ring), (RING_INNER, fill)] + ([mark] if mark else [])


def style_images():
    """File name -> layers of every image the style sheet may name."""
    images = {
        "checkbox_unchecked": check_box(FRAME, WHITE),
        "checkbox_unchecked_disable": check_box(FRAME_DISABLED, WHITE),
        "checkbox_checked": check_box(FRAME, WHITE, (TICK, MARK)),
        "checkbox_checked_disable": check_box(FRAME_DISABLED, FILL_DISABLED, (TICK, MARK_DISABLED)),
        "checkbox_parcial": check_box(FRAME, WHITE, (BAR, MARK)),
        "checkbox_parcial_disable": check_box(FRAME_DISABLED, FILL_DISABLED, (BAR, MARK_DISABLED)),
        "radiobutton_unchecked": radio_button(FRAME, WHITE),
        "radiobutton_unchecked_disable": radio_button(FRAME_DISABLED, FILL_DISABLED),
        "radiobutton_checked": radio_button(FRAME, WHITE, (DOT, MARK)),
        "radiobutton_checked_disable": radio_button(FRAME_DISABLED, FILL_DISABLED, (DOT, MARK_DISABLED)),
        "branch_close": [(polygon(MARKER_RIGHT), MARK)],
        "branch_open": [(polygon(rotated(MARKER_RIGHT, 1)), MARK)],
        "calendar_prevmonth": [(polyline(CHEVRON_LEFT, 2.5), MARK)],
        "calendar_nextmonth": [(polyline(rotated(CHEVRON_LEFT, 2), 2.5), MARK)],
    }
    for name, quarter_turns in (("top", 0), ("right", 1), ("bottom", 2), ("left", 3)):
        images["add_" + name] = [(polygon(rotated(TRIANGLE_UP, quarter_turns)), FRAME)]
    return images


# ---------------------------------------------------------------- SVG icons
# Every icon but the logo is drawn in a 1024 by 1024 view box.

def svg_document(body, view_box=1024, size=200):
    return ('<svg xmlns="http://www.w3.org/2000/svg" version="1.2" baseProfile="tiny" '
            f'width="{size}" height="{size}" viewBox="0 0 {view_box} {view_box}">\n'
            f'{body}</svg>\n')


def house(colour):
    # roof, walls and a door cut into the bottom edge: one outline
    outline = "M512 112 L944 512 H832 V912 H592 V656 H432 V912 H192 V512 H80 Z"
    return svg_document(f'  <path fill="{colour}" d="{outline}"/>\n')


def gear_outline(teeth=8, tip=448.0, root=352.0, tip_half_angle=9.0, root_half_angle=15.0):
    """Teeth with flat tips joined by arcs of the root circle."""
    def point(radius, degrees):
        angle = math.radians(degrees)
        return f"{512 + radius * math.sin(angle):.1f} {512 - radius * math.cos(angle):.1f}"

    commands = []
    pitch = 360.0 / teeth
    for tooth in range(teeth):
        centre = tooth * pitch
        start = point(root, centre - root_half_angle)
        commands.append(("M" if tooth == 0 else "A{0} {0} 0 0 1 ".format(root)) + start)
        commands.append("L" + point(tip, centre - tip_half_angle))
        commands.append("A{0} {0} 0 0 1 {1}".format(tip, point(tip, centre + tip_half_angle)))
        commands.append("L" + point(root, centre + root_half_angle))
    commands.append("A{0} {0} 0 0 1 {1}Z".format(root, point(root, -root_half_angle)))
    return " ".join(commands)


def gear(colour):
    hole = "M512 368 A144 144 0 1 0 512 656 A144 144 0 1 0 512 368 Z"
    return svg_document(f'  <path fill="{colour}" fill-rule="evenodd" d="{gear_outline()} {hole}"/>\n')


def bars(tops, colour=GREY):
    return "".join(f'  <rect fill="{colour}" x="160" y="{top}" width="704" height="80" rx="40"/>\n'
                   for top in tops)


def cross():
    stroke = (f'  <path fill="none" stroke="{GREY}" stroke-width="88" stroke-linecap="round" '
              'd="M256 256 L768 768 M768 256 L256 768"/>\n')
    return svg_document(stroke, size=32)


# ---------------------------------------------------------------- logo
# Drawn in a 32 by 32 view box: an orange sun behind two green mountains.

LOGO_UNITS = 32
LOGO_SUN = (22.5, 8.5, 4.5)
LOGO_BACK_MOUNTAIN = [(12, 27), (21, 14), (30, 27)]
LOGO_FRONT_MOUNTAIN = [(2, 27), (12, 11), (22, 27)]


def logo_layers():
    return [(circle(*LOGO_SUN), SUN),
            (polygon(LOGO_BACK_MOUNTAIN), MOUNTAIN_BACK),
            (polygon(LOGO_FRONT_MOUNTAIN), MOUNTAIN_FRONT)]


def logo_svg():
    def points(corners):
        return " ".join(f"{x},{y}" for x, y in corners)
    cx, cy, radius = LOGO_SUN
    body = (f'  <circle fill="{SUN}" cx="{cx}" cy="{cy}" r="{radius}"/>\n'
            f'  <polygon fill="{MOUNTAIN_BACK}" points="{points(LOGO_BACK_MOUNTAIN)}"/>\n'
            f'  <polygon fill="{MOUNTAIN_FRONT}" points="{points(LOGO_FRONT_MOUNTAIN)}"/>\n')
    return svg_document(body, view_box=LOGO_UNITS, size=LOGO_UNITS)


# ---------------------------------------------------------------- ICO

ICON_ENTRIES = ([(size, 32) for size in (16, 20, 24, 32, 40, 48, 64)]
                + [(size, 8) for size in (16, 32, 48)]
                + [(size, 4) for size in (16, 32)]
                + [(256, 0)])  # bit count 0: stored as PNG


def is_opaque(pixel):
    return pixel[3] >= 128


def padded(row_bytes):
    return row_bytes + b"\x00" * (-len(row_bytes) % 4)


def and_mask(rows):
    """1 bit per pixel, set where the pixel is transparent; bottom row first."""
    mask = b""
    for row in reversed(rows):
        bits = bytearray((len(row) + 7) // 8)
        for x, pixel in enumerate(row):
            if not is_opaque(pixel):
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += padded(bytes(bits))
    return mask


def palette_for(rows, bit_count):
    """Entry 0 is black for transparent pixels, the rest are the most
    frequent opaque colours."""
    counts = {}
    for row in rows:
        for pixel in row:
            if is_opaque(pixel):
                counts[pixel[:3]] = counts.get(pixel[:3], 0) + 1
    by_frequency = sorted(counts, key=lambda colour: (-counts[colour], colour))
    return [(0, 0, 0)] + by_frequency[:(1 << bit_count) - 1]


def nearest_index(colour, palette):
    return min(range(1, len(palette)),
               key=lambda i: sum((a - b) ** 2 for a, b in zip(colour, palette[i])))


def indexed_pixels(rows, bit_count):
    palette = palette_for(rows, bit_count)
    pixels = b""
    for row in reversed(rows):
        indices = [nearest_index(p[:3], palette) if is_opaque(p) else 0 for p in row]
        if bit_count == 4:
            indices += [0] * (len(indices) % 2)
            indices = [high << 4 | low for high, low in zip(indices[0::2], indices[1::2])]
        pixels += padded(bytes(indices))
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    table += b"\x00" * (4 * (1 << bit_count) - len(table))
    return table, pixels


def bitmap_entry(rows, bit_count):
    """A device-independent bitmap as icon files hold it: the header gives
    twice the height because the colour bits are followed by the mask."""
    size = len(rows)
    if bit_count == 32:
        table = b""
        pixels = b"".join(bytes(c for r, g, b, a in row for c in (b, g, r, a))
                          for row in reversed(rows))
    else:
        table, pixels = indexed_pixels(rows, bit_count)
    mask = and_mask(rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, bit_count, 0,
                         len(pixels) + len(mask), 0, 0,
                         (1 << bit_count) if table else 0, 0)
    return header + table + pixels + mask


def icon_file(entries):
    """entries: [(size, bit count, image bytes)]."""
    directory = struct.pack("<HHH", 0, 1, len(entries))
    offset = 6 + 16 * len(entries)
    for size, bit_count, data in entries:
        colours = 16 if bit_count == 4 else 0
        directory += struct.pack("<BBBBHHII", size % 256, size % 256, colours, 0, 1,
                                 bit_count or 32, len(data), offset)
        offset += len(data)
    return directory + b"".join(data for _, _, data in entries)


def logo_ico():
    layers = logo_layers()
    rendered = {}
    entries = []
    for size, bit_count in ICON_ENTRIES:
        if size not in rendered:
            rendered[size] = render(size, layers, LOGO_UNITS)
        rows = rendered[size]
        data = png_bytes(rows) if bit_count == 0 else bitmap_entry(rows, bit_count)
        entries.append((size, bit_count, data))
    return icon_file(entries)


# ---------------------------------------------------------------- desktop icons
# The sizes menus, launchers and file managers ask the hicolor theme for.

DESKTOP_ICON_SIZES = (16, 22, 24, 32, 48, 64, 128, 256)


def desktop_icons():
    layers = logo_layers()
    return {size: png_bytes(render(size, layers, LOGO_UNITS)) for size in DESKTOP_ICON_SIZES}


# ---------------------------------------------------------------- main

def write(path, data):
    path.parent.mkdir(parents=True, exist_ok=True)
    path.write_bytes(data if isinstance(data, bytes) else data.encode("utf-8"))


def main():
    default = Path(__file__).resolve().parent.parent / "resources"
    resources = Path(sys.argv[1]) if len(sys.argv) > 1 else default
    for name, layers in style_images().items():
        write(resources / "qss" / "default" / f"{name}.png",
              png_bytes(render(STYLE_IMAGE_SIZE, layers)))
    icons = {
        "logo.svg": logo_svg(),
        "home.svg": house(GREY),
        "home-hover.svg": house(GREEN),
        "setting.svg": gear(GREY),
        "setting-hover.svg": gear(GREEN),
        "nav.svg": svg_document(bars((232, 472, 712))),
        "min.svg": svg_document(bars((472,))),
        "close.svg": cross(),
    }
    for name, text in icons.items():
        write(resources / "image" / name, text)
    write(resources / "image" / "logo.ico", logo_ico())
    for size, data in desktop_icons().items():
        write(resources / "icons" / f"{size}x{size}" / "vellumo.png", data)


if __name__ == "__main__":
    main()
