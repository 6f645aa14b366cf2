"""Reads and writes Windows icon files with 32-bit BGRA DIB images.

Only the classic layout is written: every image is a BITMAPINFOHEADER, the colour
rows bottom-up as B, G, R, A (straight, not premultiplied alpha), then the 1-bit AND
mask, also bottom-up, each row padded to 4 bytes. A mask bit is 1 where the pixel is
fully transparent. No PNG-compressed entries, so every Windows version and Wine load
the images.

Images are passed around as (size, rgba) where rgba is a bytes object of size*size*4
bytes, rows top-down, R, G, B, A per pixel, straight alpha.

Standard library only, so the checker runs on any machine.
"""

import struct

ICONDIR = struct.Struct("<HHH")
ICONDIRENTRY = struct.Struct("<BBBBHHII")
BITMAPINFOHEADER = struct.Struct("<IiiHHIIiiII")


def mask_row_bytes(size):
    return ((size + 31) // 32) * 4


def encode_image(size, rgba):
    """Returns the DIB bytes (header, colour rows, AND mask) of one icon image."""
    if len(rgba) != size * size * 4:
        raise ValueError(f"{size}px image needs {size * size * 4} bytes, got {len(rgba)}")
    stride = size * 4
    colour = bytearray()
    mask = bytearray()
    row_len = mask_row_bytes(size)
    for y in range(size - 1, -1, -1):  # bottom-up
        row = rgba[y * stride:(y + 1) * stride]
        bits = bytearray(row_len)
        for x in range(size):
            r, g, b, a = row[x * 4:x * 4 + 4]
            colour += bytes((b, g, r, a))
            if a == 0:
                bits[x >> 3] |= 0x80 >> (x & 7)
        mask += bits
    header = BITMAPINFOHEADER.pack(40, size, size * 2, 1, 32, 0, len(colour) + len(mask), 0, 0, 0, 0)
    return header + bytes(colour) + bytes(mask)


def write_ico(path, images):
    """Writes images, a list of (size, rgba), in the given order."""
    blobs = [encode_image(size, rgba) for size, rgba in images]
    out = bytearray(ICONDIR.pack(0, 1, len(images)))
    offset = ICONDIR.size + ICONDIRENTRY.size * len(images)
    for (size, _), blob in zip(images, blobs):
        dim = 0 if size >= 256 else size
        out += ICONDIRENTRY.pack(dim, dim, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    for blob in blobs:
        out += blob
    with open(path, "wb") as f:
        f.write(out)


class IcoError(Exception):
    pass


def read_ico(data):
    """Parses icon file bytes strictly; returns a list of dicts, one per directory entry:
    width, height, planes, bpp, size (the image's pixel size), rgba (top-down, straight
    alpha) and mask (list of rows of 0/1, top-down). Raises IcoError on anything that is
    not a 32-bit DIB icon image."""
    if len(data) < ICONDIR.size:
        raise IcoError("file shorter than the icon directory")
    reserved, kind, count = ICONDIR.unpack_from(data, 0)
    if reserved != 0 or kind != 1:
        raise IcoError(f"not an icon file (reserved {reserved}, type {kind})")
    if count == 0:
        raise IcoError("no images")
    if len(data) < ICONDIR.size + count * ICONDIRENTRY.size:
        raise IcoError("directory runs past the end of the file")
    entries = []
    for i in range(count):
        w, h, colours, res, planes, bpp, length, offset = ICONDIRENTRY.unpack_from(
            data, ICONDIR.size + i * ICONDIRENTRY.size)
        width = w or 256
        height = h or 256
        if offset + length > len(data):
            raise IcoError(f"image {i} runs past the end of the file")
        blob = data[offset:offset + length]
        if blob[:8] == b"\x89PNG\r\n\x1a\n":
            raise IcoError(f"image {i} is PNG-compressed, not a DIB")
        if len(blob) < BITMAPINFOHEADER.size:
            raise IcoError(f"image {i} too short for its header")
        (hsize, bw, bh, bplanes, bbits, comp, _, _, _, _, _) = BITMAPINFOHEADER.unpack_from(blob, 0)
        if hsize != 40:
            raise IcoError(f"image {i}: header size {hsize}, expected 40")
        if bw != width or bh != 2 * height:
            raise IcoError(f"image {i}: DIB {bw}x{bh} does not match entry {width}x{height}")
        if bplanes != 1 or bbits != 32 or comp != 0:
            raise IcoError(f"image {i}: planes {bplanes}, {bbits} bpp, compression {comp}")
        stride = width * 4
        mrow = mask_row_bytes(width)
        expected = 40 + stride * height + mrow * height
        if len(blob) != expected:
            raise IcoError(f"image {i}: {len(blob)} bytes, expected {expected}")
        rgba = bytearray(stride * height)
        mask = []
        for row in range(height):
            src = 40 + (height - 1 - row) * stride
            for x in range(width):
                b, g, r, a = blob[src + x * 4:src + x * 4 + 4]
                rgba[row * stride + x * 4:row * stride + x * 4 + 4] = bytes((r, g, b, a))
            msrc = 40 + stride * height + (height - 1 - row) * mrow
            mask.append([(blob[msrc + (x >> 3)] >> (7 - (x & 7))) & 1 for x in range(width)])
        entries.append(dict(width=width, height=height, planes=planes, bpp=bpp,
                            size=width, rgba=bytes(rgba), mask=mask))
    return entries
