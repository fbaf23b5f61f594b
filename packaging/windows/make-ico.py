#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
# Packs PNG files (square, 1 to 256 pixels) into one Windows icon: make-ico.py OUT.ico PNG...
# Each image is stored as PNG, as Windows Vista and later read them.
import struct
import sys

out, pngs = sys.argv[1], sys.argv[2:]
images = []
for name in pngs:
    data = open(name, "rb").read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        sys.exit(f"{name}: not a PNG file")
    width, height = struct.unpack(">II", data[16:24])
    images.append((width, height, data))
header = struct.pack("<HHH", 0, 1, len(images))
offset = len(header) + 16 * len(images)
entries, blobs = b"", b""
for width, height, data in images:
    entries += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(data), offset)
    blobs += data
    offset += len(data)
with open(out, "wb") as f:
    f.write(header + entries + blobs)
