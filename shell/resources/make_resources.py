#!/usr/bin/env python3
"""Builds the component's bitmap resources from their pixel tables.

Each table (a .txt file beside this script) names the bitmap, its resource number, its colour
depth (4: the standard 16-colour palette, or 24) and its colours as letters, then gives the
pixels one row of letters per line, the top row first. From the tables this writes into the
output folder:

- <name>.bmp for every table, as the Win32 resource compiler takes it;
- ComponentResources.rc, the resource script that names them (`<number> BITMAP "<name>.bmp"`);
- ComponentResources.cpp, the same bitmaps as the table that the simulated host loads its
  resources from (cp::sim::FindResourceBitmap).
"""

import argparse
import pathlib
import struct
import sys

# The standard 16-colour palette, as &HBBGGRR values, in the order of its indices.
STANDARD_PALETTE = [
    0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0,
    0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF,
]

BITMAPFILEHEADER_SIZE = 14
BITMAPINFOHEADER_SIZE = 40
PIXELS_PER_METRE = 3780  # 96 dots per inch


class TableError(Exception):
    pass


class Bitmap:
    def __init__(self, source):
        self.source = source
        self.name = None
        self.resource = None
        self.bits = None
        self.colours = {}
        self.rows = []

    @property
    def width(self):
        return len(self.rows[0])

    @property
    def height(self):
        return len(self.rows)

    def colour(self, x, y):
        """The pixel's colour, &HBBGGRR."""
        return self.colours[self.rows[y][x]]


def parse_colour(text, where):
    if not text.upper().startswith("&H"):
        raise TableError(f"{where}: a colour is written &HBBGGRR, not {text!r}")
    value = int(text[2:], 16)
    if value > 0xFFFFFF:
        raise TableError(f"{where}: {text} is not an RGB colour")
    return value


def read_table(path):
    bitmap = Bitmap(path)
    for number, raw in enumerate(path.read_text(encoding="utf-8").splitlines(), start=1):
        line = raw.strip()
        where = f"{path.name}:{number}"
        if not line or line.startswith("#"):
            continue
        words = line.split()
        if words[0] == "name" and len(words) == 2:
            bitmap.name = words[1]
        elif words[0] == "resource" and len(words) == 2:
            bitmap.resource = int(words[1])
        elif words[0] == "bits" and len(words) == 2:
            bitmap.bits = int(words[1])
        elif words[0] == "colour" and len(words) == 3 and len(words[1]) == 1:
            bitmap.colours[words[1]] = parse_colour(words[2], where)
        elif len(words) == 1:
            unknown = set(line) - set(bitmap.colours)
            if unknown:
                raise TableError(f"{where}: letters without a colour: {''.join(sorted(unknown))}")
            if bitmap.rows and len(line) != bitmap.width:
                raise TableError(f"{where}: the row is {len(line)} pixels, not {bitmap.width}")
            bitmap.rows.append(line)
        else:
            raise TableError(f"{where}: cannot read {raw!r}")
    if bitmap.name is None or bitmap.resource is None or not bitmap.rows:
        raise TableError(f"{path.name}: a table needs a name, a resource number and rows")
    if bitmap.bits not in (4, 24):
        raise TableError(f"{path.name}: {bitmap.bits} bits per pixel are not supported")
    if bitmap.bits == 4:
        for letter, colour in bitmap.colours.items():
            if colour not in STANDARD_PALETTE:
                raise TableError(f"{path.name}: {letter} is not in the standard 16 colours")
    return bitmap


def padded(row_bytes):
    """A bitmap row is stored in a whole number of 4-byte words."""
    return row_bytes + b"\0" * (-len(row_bytes) % 4)


def bmp_row(bitmap, y):
    if bitmap.bits == 24:
        data = bytearray()
        for x in range(bitmap.width):
            bgr = bitmap.colour(x, y)
            # Stored blue, green, red: the byte order of &HBBGGRR read from the high end.
            data += bytes(((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF))
        return padded(bytes(data))
    indices = [STANDARD_PALETTE.index(bitmap.colour(x, y)) for x in range(bitmap.width)]
    if len(indices) % 2:
        indices.append(0)
    return padded(bytes((indices[i] << 4) | indices[i + 1] for i in range(0, len(indices), 2)))


def bmp_bytes(bitmap):
    palette = b""
    if bitmap.bits == 4:
        palette = b"".join(
            bytes(((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF, 0)) for c in STANDARD_PALETTE)
    # Rows are stored from the bottom up.
    pixels = b"".join(bmp_row(bitmap, y) for y in reversed(range(bitmap.height)))
    offset = BITMAPFILEHEADER_SIZE + BITMAPINFOHEADER_SIZE + len(palette)
    file_header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    colours_used = 16 if bitmap.bits == 4 else 0
    info_header = struct.pack("<IiiHHIIiiII", BITMAPINFOHEADER_SIZE, bitmap.width,
                              bitmap.height, 1, bitmap.bits, 0, len(pixels), PIXELS_PER_METRE,
                              PIXELS_PER_METRE, colours_used, 0)
    return file_header + info_header + palette + pixels


def resource_script(bitmaps):
    lines = ["// Generated by make_resources.py from the pixel tables; edit the tables instead.", ""]
    lines += [f'{b.resource} BITMAP "{b.name}.bmp"' for b in bitmaps]
    return "\n".join(lines) + "\n"


def sim_source(bitmaps):
    out = [
        "// Generated by make_resources.py from the pixel tables; edit the tables instead.",
        "// The component's bitmaps as the simulated host loads them.",
        '#include "platform/sim/Resources.h"',
        "",
        "namespace cp::sim {",
        "namespace {",
        "",
    ]
    for b in bitmaps:
        out.append(f"const ResourceBitmap k_{b.name}{{{b.width}, {b.height}, {{")
        for y in range(b.height):
            values = ", ".join(f"0x{b.colour(x, y):06X}" for x in range(b.width))
            out.append(f"    {values},")
        out.append("}};")
        out.append("")
    out += ["}  // namespace", "", "const ResourceBitmap* FindResourceBitmap(int id) {",
            "    switch (id) {"]
    for b in bitmaps:
        out += [f"        case {b.resource}:", f"            return &k_{b.name};"]
    out += ["        default:", "            return nullptr;", "    }", "}", "",
            "}  // namespace cp::sim", ""]
    return "\n".join(out)


def write_if_changed(path, data):
    """Leaves an unchanged output alone, so that what is built from it is not built again."""
    if isinstance(data, str):
        data = data.encode("utf-8")
    if not path.exists() or path.read_bytes() != data:
        path.write_bytes(data)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out-dir", required=True, type=pathlib.Path)
    parser.add_argument("tables", nargs="+", type=pathlib.Path)
    args = parser.parse_args()
    try:
        bitmaps = [read_table(path) for path in args.tables]
    except (TableError, ValueError) as error:
        print(f"make_resources: {error}", file=sys.stderr)
        return 1
    args.out_dir.mkdir(parents=True, exist_ok=True)
    for b in bitmaps:
        write_if_changed(args.out_dir / f"{b.name}.bmp", bmp_bytes(b))
    write_if_changed(args.out_dir / "ComponentResources.rc", resource_script(bitmaps))
    write_if_changed(args.out_dir / "ComponentResources.cpp", sim_source(bitmaps))
    return 0


if __name__ == "__main__":
    sys.exit(main())
