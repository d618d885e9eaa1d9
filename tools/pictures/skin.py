"""The glass panel (tinted slices and their overlays), its gloss, the buttons and the
forecast grid.

The panel is drawn once as a whole, PANEL_HEIGHT high, and cut into its three slices, so
that they meet without seams; the middle slice is uniform from top to bottom because the
window stretches it. The tinted slices are grey: the window multiplies them by twice the
tint colour, so grey 128 becomes the tint itself and lighter grey a brighter tint. The
overlays carry what must not be tinted: edges, glows and highlights, in white and black
at low opacity, so they read over any tint and over any desktop."""
import math

from svg import Doc, attrs, circle, ellipse, group, num, path, rect, rounded_rect_path

PANEL_WIDTH = 195
TOP, MID, BASE = 17, 40, 17   # Top + 4 x Mid + Base fills the main window's 194 pixels
PANEL_HEIGHT = TOP + MID + BASE
RADIUS = 10

SLICES = (("Top", 0, TOP), ("Mid", TOP, MID), ("Base", TOP + MID, BASE))

REFLECTION_SIZE = (181, 42)   # drawn 7 pixels in from the panel's left, 3 down

GRID_SIZE = (191, 113)
GRID_COLUMNS = (0, 62, 124)   # tiles at window x 36, 98, 160
GRID_ROWS = (0, 57)           # a tile's title line starts 14 above its top (126, 183)
TILE_WIDTH = 61
CELL_HEIGHT = 56              # title line, tile and the figures below it


def panel_outline(inset=0.0):
    return rounded_rect_path(inset, inset, PANEL_WIDTH - 2 * inset, PANEL_HEIGHT - 2 * inset,
                             RADIUS - inset)


def paint_tinted(doc):
    h = PANEL_HEIGHT
    shade = doc.linear([(0, (156, 156, 156)), (TOP / h, (128, 128, 128)), ((TOP + MID) / h, (128, 128, 128)),
                        (1, (110, 110, 110))], 0, 0, 0, h)
    doc.add(path(panel_outline(), fill=shade))
    # light from the left: a little brighter there, a little darker at the right edge
    side = doc.linear([(0, "#ffffff", 0.07), (0.35, "#ffffff", 0), (0.7, "#000000", 0),
                       (1, "#000000", 0.06)], 0, 0, PANEL_WIDTH, 0)
    doc.add(path(panel_outline(), fill=side))
    # a brighter bevel just inside the edge
    doc.add(path(panel_outline(1.5), fill="none", stroke="#bebebe",
                 stroke_width=1, stroke_opacity=0.7))


def paint_overlay(doc):
    h = PANEL_HEIGHT
    inside = doc.clip(path(panel_outline()))
    top_glow = doc.linear([(0, "#ffffff", 0.3), (1, "#ffffff", 0)], 0, 1, 0, TOP - 2)
    bottom_glow = doc.linear([(0, "#ffffff", 0), (1, "#ffffff", 0.13)], 0, h - BASE + 4, 0, h - 1)
    doc.add(group(rect(0, 0, PANEL_WIDTH, TOP, fill=top_glow),
                  rect(0, h - BASE, PANEL_WIDTH, BASE, fill=bottom_glow), clip_path=inside))
    rim = doc.linear([(0, "#ffffff", 0.85), (TOP / h, "#ffffff", 0.34), ((TOP + MID) / h, "#ffffff", 0.34),
                      (1, "#ffffff", 0.5)], 0, 0, 0, h)
    doc.add(path(panel_outline(1.5), fill="none", stroke=rim, stroke_width=1))
    doc.add(path(panel_outline(0.5), fill="none", stroke="#000000", stroke_width=1, stroke_opacity=0.45))


def colorize():
    """{file name: svg text} of the six slices."""
    out = {}
    for name, offset, height in SLICES:
        doc = Doc(PANEL_WIDTH, height, top=offset)
        paint_tinted(doc)
        out[name] = doc.text()
        doc = Doc(PANEL_WIDTH, height, top=offset)
        paint_overlay(doc)
        out[name + " Overlay"] = doc.text()
    return out


def reflection():
    w, h = REFLECTION_SIZE
    doc = Doc(w, h)
    r = RADIUS - 4
    d = (f"M0 {num(r)}A{num(r)} {num(r)} 0 0 1 {num(r)} 0H{num(w - r)}A{num(r)} {num(r)} 0 0 1 {num(w)} {num(r)}"
         f"V{num(h * 0.42)}Q{num(w * 0.55)} {num(h * 0.62)} 0 {num(h - 1)}Z")
    gloss = doc.linear([(0, "#ffffff", 0.42), (0.5, "#ffffff", 0.16), (1, "#ffffff", 0.04)], 0, 0, 0, h)
    doc.add(path(d, fill=gloss))
    # a brighter streak along the top where the glass bends
    streak = doc.linear([(0, "#ffffff", 0), (0.2, "#ffffff", 0.5), (0.8, "#ffffff", 0.5), (1, "#ffffff", 0)],
                        0, 0, w, 0)
    doc.add(rect(r, 0.5, w - 2 * r, 1.5, r=0.75, fill=streak))
    return doc.text()


# ---------------------------------------------------------------- buttons

def button_base(doc, shape_d, top, bottom, box_top, box_bottom):
    """A glass button: a drop shadow, a body with a dark outline, a light inner rim and a
    gloss on the upper half."""
    body = doc.linear([(0, top), (1, bottom)], 0, box_top, 0, box_bottom)
    shadowed = doc.shadow(0.4, 0.9, 0.7, 0.55)
    return group(path(shape_d, fill=body, stroke="#000000", stroke_opacity=0.65, stroke_width=1),
                 filter=shadowed)


def gloss_band(doc, x, y, w, h, r):
    gloss = doc.linear([(0, "#ffffff", 0.6), (1, "#ffffff", 0.08)], 0, y, 0, y + h)
    return rect(x, y, w, h, r=r, fill=gloss)


def glyph(d, width=1.8):
    return (path(d, fill="none", stroke="#000000", stroke_opacity=0.55, stroke_width=width + 1.4,
                 stroke_linecap="round")
            + path(d, fill="none", stroke="#ffffff", stroke_width=width, stroke_linecap="round"))


def round_button(symbol, top, bottom):
    doc = Doc(18, 18)
    c, r = 9, 7.6
    shape = (f"M{num(c - r)} {num(c)}A{num(r)} {num(r)} 0 1 1 {num(c + r)} {num(c)}"
             f"A{num(r)} {num(r)} 0 1 1 {num(c - r)} {num(c)}Z")
    doc.add(button_base(doc, shape, top, bottom, c - r, c + r))
    rim = doc.linear([(0, "#ffffff", 0.55), (1, "#ffffff", 0.12)], 0, c - r, 0, c + r)
    doc.add(circle(c, c, r - 1, fill="none", stroke=rim, stroke_width=0.9))
    doc.add(ellipse(c, c - r * 0.42, r * 0.72, r * 0.45,
                    fill=doc.linear([(0, "#ffffff", 0.55), (1, "#ffffff", 0.05)], 0, c - r * 0.9, 0, c)))
    doc.add(glyph(symbol))
    return doc.text()


def close_button():
    k = 2.9
    return round_button(f"M{num(9 - k)} {num(9 - k)}L{num(9 + k)} {num(9 + k)}"
                        f"M{num(9 + k)} {num(9 - k)}L{num(9 - k)} {num(9 + k)}", "#f47068", "#a51d1d")


def less_button():
    return round_button("M5.6 9H12.4", "#7d8794", "#2a3038")


def gear(cx, cy, r, teeth=8):
    """Outline of a cog wheel with a hole, as path data."""
    d = ""
    outer, inner = r, r * 0.72
    for i in range(teeth * 2):
        a0 = 2 * math.pi * i / (teeth * 2)
        a1 = 2 * math.pi * (i + 1) / (teeth * 2)
        rad = outer if i % 2 == 0 else inner
        p0 = (cx + rad * math.cos(a0 + 0.08), cy + rad * math.sin(a0 + 0.08))
        p1 = (cx + rad * math.cos(a1 - 0.08), cy + rad * math.sin(a1 - 0.08))
        d += ("M" if i == 0 else "L") + f"{num(p0[0])} {num(p0[1])}L{num(p1[0])} {num(p1[1])}"
    hole = r * 0.32
    d += (f"ZM{num(cx + hole)} {num(cy)}A{num(hole)} {num(hole)} 0 1 0 {num(cx - hole)} {num(cy)}"
          f"A{num(hole)} {num(hole)} 0 1 0 {num(cx + hole)} {num(cy)}Z")
    return d


def options_button():
    w, h = 58, 18
    doc = Doc(w, h)
    shape = rounded_rect_path(0.5, 1.4, w - 2, h - 2.8, (h - 2.8) / 2)
    doc.add(button_base(doc, shape, "#7d8794", "#2a3038", 1.4, h - 1.4))
    rim = doc.linear([(0, "#ffffff", 0.55), (1, "#ffffff", 0.12)], 0, 1.4, 0, h - 1.4)
    doc.add(path(rounded_rect_path(1.5, 2.4, w - 4, h - 4.8, (h - 4.8) / 2), fill="none", stroke=rim,
                 stroke_width=0.9))
    doc.add(gloss_band(doc, 3, 2.6, w - 8, 6, 3))
    cog = gear(10.5, 9, 4.6)
    doc.add(path(cog, fill="#000000", fill_opacity=0.55, stroke="#000000", stroke_opacity=0.55,
                 stroke_width=1.4, fill_rule="evenodd", stroke_linejoin="round"))
    doc.add(path(cog, fill="#ffffff", fill_rule="evenodd"))
    label = (f'<text {attrs(x=18.0, y=12.6)} font-family="Liberation Sans" font-weight="bold" '
             f'font-size="9.5">Ayarlar</text>')
    doc.add(group(label, fill="#000000", fill_opacity=0.7, transform="translate(0.6 0.8)"),
            group(label, fill="#ffffff"))
    return doc.text()


# ---------------------------------------------------------------- forecast grid

def grid():
    """Six cells framing the forecast tiles: each with a darker band for the day name on top."""
    w, h = GRID_SIZE
    doc = Doc(w, h)
    for top in GRID_ROWS:
        for left in GRID_COLUMNS:
            x, y, cw, ch = left + 1, top + 0.5, TILE_WIDTH - 2, CELL_HEIGHT - 1
            outline = rounded_rect_path(x, y, cw, ch, 5)
            well = doc.linear([(0, "#ffffff", 0.1), (1, "#ffffff", 0.03)], 0, y, 0, y + ch)
            doc.add(path(outline, fill=well))
            band = doc.clip(path(outline))
            doc.add(group(rect(x, y, cw, 14, fill="#000000", fill_opacity=0.2),
                          rect(x, y + 14, cw, 1, fill="#ffffff", fill_opacity=0.16),
                          clip_path=band))
            edge = doc.linear([(0, "#ffffff", 0.4), (1, "#ffffff", 0.12)], 0, y, 0, y + ch)
            doc.add(path(rounded_rect_path(x + 0.5, y + 0.5, cw - 1, ch - 1, 4.5), fill="none",
                         stroke=edge, stroke_width=1))
            doc.add(path(rounded_rect_path(x - 0.5, y - 0.5 + 0.0, cw + 1, ch + 1, 5.5), fill="none",
                         stroke="#000000", stroke_opacity=0.22, stroke_width=1))
    return doc.text()


def ui():
    return {"Reflection": reflection(), "Close": close_button(), "Less": less_button(),
            "Options": options_button(), "Grid": grid()}
