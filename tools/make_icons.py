#!/usr/bin/env python3
"""Draws the Kelvaro icons and writes them as .ico files, plus a preview sheet.

    tools/make_icons.py            writes res/icons/*.ico and docs/icons-preview.png

Every icon is drawn with vector primitives (pycairo, Debian package python3-cairo) at
each of its eight sizes, straight into a pixel grid of that size, so the anti-aliasing
is exact and the small sizes can be simplified where the detail would turn to mush.
The output is deterministic: the same sources give byte-identical files.

The preview sheet is drawn from the written .ico files (parsed back), so it shows what
the program will load.
"""

import math
import os
import sys

try:
    import cairo
except ImportError:  # pycairo lives in the system interpreter; a private one may lack it
    system_python = "/usr/bin/python3"
    if os.path.exists(system_python) and os.path.realpath(sys.executable) != os.path.realpath(system_python):
        os.execv(system_python, [system_python] + sys.argv)
    sys.exit("make_icons.py needs pycairo: apt-get install python3-cairo")

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import icofile  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
ICON_DIR = os.path.join(ROOT, "res", "icons")
PREVIEW = os.path.join(ROOT, "docs", "icons-preview.png")

SIZES = (128, 96, 72, 64, 48, 32, 24, 16)

# Line weight per size: one weight for every stroked element of an icon. The small sizes
# are relatively heavier so the lines stay whole pixels.
STROKE = {128: 10, 96: 8, 72: 6, 64: 5, 48: 4, 32: 3, 24: 3, 16: 2}


def hex_colour(value):
    return tuple(int(value[i:i + 2], 16) / 255 for i in (1, 3, 5))


# The palette: every icon uses only these.
BLUE = hex_colour("#2B6CD4")
BLUE_SHADE = hex_colour("#1F56B3")
BLUE_DARK = hex_colour("#173F85")
BLUE_LIGHT = hex_colour("#CFE1FA")
GREEN = hex_colour("#2EA05C")
SLATE = hex_colour("#5E7086")
SLATE_LIGHT = hex_colour("#ECF0F5")
WHITE = (1.0, 1.0, 1.0)


def crisp(v, w):
    """Moves a line centre to where a stroke of width w covers whole pixels."""
    if round(w) % 2:
        return math.floor(v) + 0.5
    return float(round(v))


# ---------------------------------------------------------------- shared shapes

def shield_path(cr, x0, y0, x1, y1):
    w = x1 - x0
    h = y1 - y0
    xc = (x0 + x1) / 2
    cr.move_to(x0, y0 + 0.14 * h)
    cr.curve_to(x0 + 0.22 * w, y0 + 0.12 * h, x0 + 0.36 * w, y0 + 0.07 * h, xc, y0)
    cr.curve_to(x1 - 0.36 * w, y0 + 0.07 * h, x1 - 0.22 * w, y0 + 0.12 * h, x1, y0 + 0.14 * h)
    cr.line_to(x1, y0 + 0.48 * h)
    cr.curve_to(x1, y0 + 0.76 * h, x0 + 0.76 * w, y0 + 0.92 * h, xc, y1)
    cr.curve_to(x0 + 0.24 * w, y0 + 0.92 * h, x0, y0 + 0.76 * h, x0, y0 + 0.48 * h)
    cr.close_path()


def draw_shield_mark(cr, s, x0, y0, x1, y1):
    """The Kelvaro mark: a blue shield with an open eye."""
    w = x1 - x0
    xc = (x0 + x1) / 2
    small = s <= 24
    shield_path(cr, x0, y0, x1, y1)
    cr.set_source_rgb(*BLUE)
    cr.fill_preserve()
    if not small:
        # The right half a shade darker, as if lit from the left.
        cr.save()
        cr.clip()
        cr.rectangle(xc, y0, x1 - xc, y1 - y0)
        cr.set_source_rgb(*BLUE_SHADE)
        cr.fill()
        cr.restore()
    cr.new_path()

    # The eye: a white almond with a dark pupil.
    ey = y0 + (y1 - y0) * (0.45 if small else 0.46)
    half = w * (0.40 if small else 0.35)
    lift = half * (0.95 if small else 0.80)  # control-point offset; the lid rises lift / 2
    cr.move_to(xc - half, ey)
    cr.curve_to(xc - half * 0.5, ey - lift, xc + half * 0.5, ey - lift, xc + half, ey)
    cr.curve_to(xc + half * 0.5, ey + lift, xc - half * 0.5, ey + lift, xc - half, ey)
    cr.close_path()
    cr.set_source_rgb(*WHITE)
    cr.fill()
    pupil = half * (0.42 if small else 0.40)
    cr.arc(xc, ey, pupil, 0, 2 * math.pi)
    cr.set_source_rgb(*BLUE_DARK)
    cr.fill()
    if s >= 48:
        cr.arc(xc - pupil * 0.35, ey - pupil * 0.35, pupil * 0.28, 0, 2 * math.pi)
        cr.set_source_rgb(*WHITE)
        cr.fill()


# ---------------------------------------------------------------- the icons

def draw_tray(cr, s):
    m = 0 if s <= 16 else s * 0.04
    draw_shield_mark(cr, s, s * 0.12 - m * 0.5, m + s * 0.02, s * 0.88 + m * 0.5, s - m)


def draw_app(cr, s):
    if s <= 24:
        draw_tray(cr, s)
        return
    w = STROKE[s]
    # A program window behind: slate frame, blue title bar, a short list of processes.
    left, top = round(s * 0.02), round(s * 0.06)
    right, bottom = round(s * 0.76), round(s * 0.66)
    frame = max(1, round(w * 0.6))
    title = round(s * 0.13)
    radius = s * 0.04
    rounded_rect(cr, left, top, right - left, bottom - top, radius)
    cr.set_source_rgb(*SLATE)
    cr.fill()
    rounded_rect(cr, left, top, right - left, title + frame, radius)
    cr.set_source_rgb(*BLUE)
    cr.fill()
    cr.rectangle(left + frame, top + title, right - left - 2 * frame, bottom - top - title - frame)
    cr.set_source_rgb(*SLATE_LIGHT)
    cr.fill()
    if s >= 48:
        cr.set_source_rgb(*SLATE)
        cr.set_line_width(frame)
        cr.set_line_cap(cairo.LINE_CAP_BUTT)
        gap = (bottom - top - title) / 4
        for i in range(3):
            y = crisp(top + title + gap * (i + 0.8), frame)
            cr.move_to(left + frame * 3, y)
            cr.line_to(left + (right - left) * (0.50 if i == 1 else 0.42), y)
            cr.stroke()

    # The shield in front, with a transparent gap around it.
    x0, y0, x1, y1 = s * 0.40, s * 0.30, s * 0.98, s * 0.985
    shield_path(cr, x0, y0, x1, y1)
    cr.set_operator(cairo.OPERATOR_CLEAR)
    cr.set_line_width(w * 1.2)
    cr.stroke()
    cr.set_operator(cairo.OPERATOR_OVER)
    draw_shield_mark(cr, s, x0, y0, x1, y1)


def rounded_rect(cr, x, y, w, h, r):
    cr.new_sub_path()
    cr.arc(x + w - r, y + r, r, -math.pi / 2, 0)
    cr.arc(x + w - r, y + h - r, r, 0, math.pi / 2)
    cr.arc(x + r, y + h - r, r, math.pi / 2, math.pi)
    cr.arc(x + r, y + r, r, math.pi, 1.5 * math.pi)
    cr.close_path()


def draw_search(cr, s):
    w = STROKE[s]
    cx = cy = s * (0.40 if s > 16 else 0.41)
    r = s * 0.27
    # Glass.
    cr.arc(cx, cy, r, 0, 2 * math.pi)
    cr.set_source_rgba(*BLUE_LIGHT, 0.9)
    cr.fill()
    if s >= 32:
        cr.arc(cx, cy, r * 0.58, math.radians(195), math.radians(265))
        cr.set_source_rgb(*WHITE)
        cr.set_line_width(w * 0.7)
        cr.set_line_cap(cairo.LINE_CAP_ROUND)
        cr.stroke()
    # Handle.
    d = r + w * 0.5
    cr.move_to(cx + d * math.cos(math.pi / 4), cy + d * math.sin(math.pi / 4))
    end = min(s * 0.88, s - 1.2 - w)  # the round cap stays clear of the corner pixel
    cr.line_to(end, end)
    cr.set_line_width(w * 2.0)
    cr.set_line_cap(cairo.LINE_CAP_ROUND)
    cr.set_source_rgb(*SLATE)
    cr.stroke()
    # Ring.
    cr.arc(cx, cy, r, 0, 2 * math.pi)
    cr.set_line_width(w)
    cr.set_source_rgb(*BLUE)
    cr.stroke()


def arrow_head(cr, cx, cy, r, angle, length, half_base):
    """A filled head at angle on the circle, pointing clockwise (screen coordinates)."""
    px, py = cx + r * math.cos(angle), cy + r * math.sin(angle)
    tx, ty = -math.sin(angle), math.cos(angle)  # tangent, clockwise
    nx, ny = math.cos(angle), math.sin(angle)  # outward normal
    cr.move_to(px + nx * half_base, py + ny * half_base)
    cr.line_to(px + tx * length, py + ty * length)
    cr.line_to(px - nx * half_base, py - ny * half_base)
    cr.close_path()
    cr.fill()


def draw_refresh(cr, s):
    w = STROKE[s]
    c = s / 2
    r = s * (0.30 if s > 16 else 0.29)
    length = max(3.2, w * 1.9)
    half_base = max(2.6, w * 1.45)
    cr.set_source_rgb(*GREEN)
    cr.set_line_width(w)
    cr.set_line_cap(cairo.LINE_CAP_BUTT)
    for start in (200, 20):
        a0, a1 = math.radians(start), math.radians(start + 118)
        cr.arc(c, c, r, a0, a1)
        cr.stroke()
        arrow_head(cr, c, c, r, a1, length, half_base)


def draw_settings(cr, s):
    c = s / 2
    teeth = 8 if s > 16 else 6
    outer = s * 0.47
    body = s * (0.35 if s > 16 else 0.33)
    hole = s * (0.15 if s > 16 else 0.14)
    pitch = 2 * math.pi / teeth
    root_half = pitch * 0.29
    tip_half = pitch * 0.19
    start = -math.pi / 2
    for i in range(teeth):
        a = start + i * pitch
        cr.arc(c, c, body, a - pitch / 2, a - root_half)
        cr.line_to(c + outer * math.cos(a - tip_half), c + outer * math.sin(a - tip_half))
        cr.arc(c, c, outer, a - tip_half, a + tip_half)
        cr.line_to(c + body * math.cos(a + root_half), c + body * math.sin(a + root_half))
        cr.arc(c, c, body, a + root_half, a + pitch / 2)
    cr.close_path()
    cr.new_sub_path()
    cr.arc_negative(c, c, hole, 2 * math.pi, 0)
    cr.set_fill_rule(cairo.FILL_RULE_EVEN_ODD)
    cr.set_source_rgb(*SLATE)
    cr.fill()
    if s >= 32:
        # A lighter ring round the hub.
        cr.arc(c, c, (body + hole) / 2, 0, 2 * math.pi)
        cr.set_line_width(STROKE[s] * 0.6)
        cr.set_source_rgb(*hex_colour("#7A8BA0"))
        cr.stroke()


def draw_update(cr, s):
    w = STROKE[s]
    c = s / 2
    if s == 16:
        # Hand-placed on the pixel grid: a 4 px shaft, a 9 px head, one clear pixel
        # between the head and the sides of the tray.
        side, floor_y, lip = 2.0, 14.0, 9.0
        shaft, head, top, neck, tip = 2, 4, 1, 6, 11.5
    else:
        side = crisp(s * 0.10 + w / 2, w)
        floor_y = crisp(s * 0.93 - w / 2, w)
        lip = s * 0.58
        shaft = w
        head = s * 0.27
        top = round(s * 0.05)
        neck = round(s * 0.38)
        tip = s * 0.76
    # The tray: an open box.
    cr.move_to(side, lip)
    cr.line_to(side, floor_y)
    cr.line_to(s - side, floor_y)
    cr.line_to(s - side, lip)
    cr.set_line_width(w)
    cr.set_line_cap(cairo.LINE_CAP_ROUND)
    cr.set_line_join(cairo.LINE_JOIN_ROUND)
    cr.set_source_rgb(*SLATE)
    cr.stroke()
    # The arrow into it.
    cr.move_to(c - shaft, top)
    cr.line_to(c + shaft, top)
    cr.line_to(c + shaft, neck)
    cr.line_to(c + head, neck)
    cr.line_to(c, tip)
    cr.line_to(c - head, neck)
    cr.line_to(c - shaft, neck)
    cr.close_path()
    cr.set_source_rgb(*BLUE)
    cr.fill()


ICONS = (
    ("kelvaro", draw_app),
    ("search", draw_search),
    ("refresh", draw_refresh),
    ("settings", draw_settings),
    ("update", draw_update),
    ("tray", draw_tray),
)


# ---------------------------------------------------------------- pixels

def render(draw, s):
    """Draws one icon at size s; returns straight-alpha RGBA bytes, rows top-down."""
    surface = cairo.ImageSurface(cairo.FORMAT_ARGB32, s, s)
    cr = cairo.Context(surface)
    cr.set_antialias(cairo.ANTIALIAS_GRAY)
    draw(cr, s)
    surface.flush()
    return argb32_to_rgba(surface, s)


def argb32_to_rgba(surface, s):
    data = surface.get_data()
    stride = surface.get_stride()
    out = bytearray(s * s * 4)
    for y in range(s):
        for x in range(s):
            b, g, r, a = data[y * stride + x * 4:y * stride + x * 4 + 4]  # little-endian ARGB32
            if a and a < 255:
                r, g, b = (min(255, (v * 255 + a // 2) // a) for v in (r, g, b))
            elif not a:
                r = g = b = 0
            out[(y * s + x) * 4:(y * s + x) * 4 + 4] = bytes((r, g, b, a))
    return bytes(out)


def rgba_to_surface(s, rgba, scale=1):
    """A cairo surface of the image, each pixel blown up to scale x scale."""
    size = s * scale
    surface = cairo.ImageSurface(cairo.FORMAT_ARGB32, size, size)
    stride = surface.get_stride()
    buf = surface.get_data()
    for y in range(size):
        for x in range(size):
            i = ((y // scale) * s + (x // scale)) * 4
            r, g, b, a = rgba[i:i + 4]
            buf[y * stride + x * 4:y * stride + x * 4 + 4] = bytes(
                ((b * a + 127) // 255, (g * a + 127) // 255, (r * a + 127) // 255, a))
    surface.mark_dirty()
    return surface


# ---------------------------------------------------------------- preview sheet

def write_preview(path, icons):
    """icons: list of (name, {size: rgba}) as read back from the .ico files."""
    gap = 14
    label_w = 90
    zoom = 4
    panel_w = sum(SIZES) + gap * (len(SIZES) + 1)
    zoom_w = (24 + 16) * zoom + gap * 3
    width = label_w + 2 * panel_w + 2 * zoom_w
    row_h = 128 + 2 * gap
    head = 34
    height = head + row_h * len(icons)
    sheet = cairo.ImageSurface(cairo.FORMAT_ARGB32, width, height)
    cr = cairo.Context(sheet)
    cr.set_source_rgb(1, 1, 1)
    cr.paint()
    panels = (
        (label_w, panel_w, (0.96, 0.96, 0.96), "helles Thema", False),
        (label_w + panel_w, panel_w, (0.13, 0.13, 0.13), "dunkles Thema", False),
        (label_w + 2 * panel_w, zoom_w, (0.96, 0.96, 0.96), "24 und 16 px, 4fach", True),
        (label_w + 2 * panel_w + zoom_w, zoom_w, (0.13, 0.13, 0.13), "24 und 16 px, 4fach", True),
    )
    cr.select_font_face("DejaVu Sans", cairo.FONT_SLANT_NORMAL, cairo.FONT_WEIGHT_NORMAL)
    cr.set_font_size(13)
    for x, w, bg, title, zoomed in panels:
        cr.set_source_rgb(*bg)
        cr.rectangle(x, 0, w, height)
        cr.fill()
        cr.set_source_rgb(*((0.1, 0.1, 0.1) if bg[0] > 0.5 else (0.9, 0.9, 0.9)))
        cr.move_to(x + gap, 22)
        cr.show_text(title + ("" if zoomed else ": " + ", ".join(str(s) for s in SIZES) + " px"))
    for row, (name, images) in enumerate(icons):
        y0 = head + row * row_h
        cr.set_source_rgb(0.1, 0.1, 0.1)
        cr.move_to(8, y0 + row_h / 2 + 5)
        cr.show_text(name)
        for x, w, bg, title, zoomed in panels:
            cx = x + gap
            sizes = (24, 16) if zoomed else SIZES
            for s in sizes:
                scale = zoom if zoomed else 1
                img = rgba_to_surface(s, images[s], scale)
                cr.set_source_surface(img, cx, y0 + gap + (128 - s * scale) // 2)
                cr.paint()
                cx += s * scale + gap
    sheet.write_to_png(path)


def main():
    os.makedirs(ICON_DIR, exist_ok=True)
    read_back = []
    for name, draw in ICONS:
        images = [(s, render(draw, s)) for s in SIZES]
        path = os.path.join(ICON_DIR, name + ".ico")
        icofile.write_ico(path, images)
        with open(path, "rb") as f:
            entries = icofile.read_ico(f.read())
        read_back.append((name, {e["size"]: e["rgba"] for e in entries}))
        print(f"wrote {os.path.relpath(path, ROOT)}: {', '.join(str(s) for s in SIZES)} px, 32 bpp")
    os.makedirs(os.path.dirname(PREVIEW), exist_ok=True)
    write_preview(PREVIEW, read_back)
    print(f"wrote {os.path.relpath(PREVIEW, ROOT)}")


if __name__ == "__main__":
    main()
