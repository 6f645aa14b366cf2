"""Reads and writes Windows icon files with 32-bit images.

The images of 64 px and more are stored PNG-compressed (8-bit RGBA, straight alpha), as
Windows has read them since Vista and Wine does: as classic bitmaps they would be nine
tenths of each program file. The smaller ones keep the classic layout that every version
reads: a BITMAPINFOHEADER, the colour rows bottom-up as B, G, R, A (straight, not
premultiplied alpha), then the 1-bit AND mask, also bottom-up, each row padded to 4 bytes.
A mask bit is 1 where the pixel is fully transparent.

Images are passed around as (size, rgba) where rgba is a bytes object of size*size*4
bytes, rows top-down, R, G, B, A per pixel, straight alpha.

Standard library only, so the checker runs on any machine.
"""

import struct
import zlib

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


# From this size on an image is stored as PNG.
PNG_FROM_SIZE = 64
PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"


def png_chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def encode_png(size, rgba):
    """Returns a PNG of the image: 8-bit RGBA, no interlacing, every row unfiltered, so
    the same pixels always give the same bytes."""
    if len(rgba) != size * size * 4:
        raise ValueError(f"{size}px image needs {size * size * 4} bytes, got {len(rgba)}")
    stride = size * 4
    raw = b"".join(b"\x00" + rgba[y * stride:(y + 1) * stride] for y in range(size))
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (PNG_SIGNATURE + png_chunk(b"IHDR", header) + png_chunk(b"IDAT", zlib.compress(raw, 9))
            + png_chunk(b"IEND", b""))


def encode_entry(size, rgba):
    return encode_png(size, rgba) if size >= PNG_FROM_SIZE else encode_image(size, rgba)


def write_ico(path, images):
    """Writes images, a list of (size, rgba), in the given order."""
    blobs = [encode_entry(size, rgba) for size, rgba in images]
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
        if blob[:8] == PNG_SIGNATURE:
            if w != h:
                raise IcoError(f"image {i}: entry {width}x{height} is not square")
            entries.append(dict(width=width, height=height, planes=planes, bpp=bpp, size=width,
                                rgba=decode_png(blob, width, i), mask=None, png=True))
            continue
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
                            size=width, rgba=bytes(rgba), mask=mask, png=False))
    return entries


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def unfilter_row(kind, row, previous, bpp, index):
    out = bytearray(row)
    for x in range(len(out)):
        left = out[x - bpp] if x >= bpp else 0
        up = previous[x]
        upper_left = previous[x - bpp] if x >= bpp else 0
        if kind == 0:
            continue
        if kind == 1:
            out[x] = (out[x] + left) & 0xFF
        elif kind == 2:
            out[x] = (out[x] + up) & 0xFF
        elif kind == 3:
            out[x] = (out[x] + ((left + up) >> 1)) & 0xFF
        elif kind == 4:
            out[x] = (out[x] + paeth(left, up, upper_left)) & 0xFF
        else:
            raise IcoError(f"image {index}: PNG row filter {kind}")
    return bytes(out)


def decode_png(blob, size, index):
    """Returns the rgba of a PNG icon image: it must be 8-bit RGBA, not interlaced, and
    size x size."""
    at = len(PNG_SIGNATURE)
    header = None
    compressed = bytearray()
    while at + 8 <= len(blob):
        (length,) = struct.unpack_from(">I", blob, at)
        kind = blob[at + 4:at + 8]
        data = blob[at + 8:at + 8 + length]
        if len(data) != length or at + 12 + length > len(blob):
            raise IcoError(f"image {index}: PNG chunk runs past the image")
        (crc,) = struct.unpack_from(">I", blob, at + 8 + length)
        if crc != zlib.crc32(kind + data):
            raise IcoError(f"image {index}: PNG chunk {kind!r} has a bad CRC")
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", data)
        elif kind == b"IDAT":
            compressed += data
        elif kind == b"IEND":
            break
        at += 12 + length
    if header is None:
        raise IcoError(f"image {index}: PNG without a header")
    width, height, depth, colour, _, _, interlace = header
    if (width, height) != (size, size):
        raise IcoError(f"image {index}: PNG {width}x{height} does not match entry {size}x{size}")
    if depth != 8 or colour != 6 or interlace != 0:
        raise IcoError(f"image {index}: PNG depth {depth}, colour type {colour}, "
                       f"interlace {interlace}; expected 8-bit RGBA, not interlaced")
    try:
        raw = zlib.decompress(bytes(compressed))
    except zlib.error as e:
        raise IcoError(f"image {index}: PNG data: {e}")
    stride = size * 4
    if len(raw) != size * (stride + 1):
        raise IcoError(f"image {index}: PNG data of {len(raw)} bytes, expected {size * (stride + 1)}")
    rows = []
    previous = bytes(stride)
    for y in range(size):
        line = raw[y * (stride + 1):(y + 1) * (stride + 1)]
        previous = unfilter_row(line[0], line[1:], previous, 4, index)
        rows.append(previous)
    return b"".join(rows)
