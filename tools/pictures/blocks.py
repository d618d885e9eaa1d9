"""The building blocks every weather picture is made of: sun, moon, earth, clouds, drops,
flakes, hail, lightning, mist bands, wind, thermometer and question mark.

All of them share one look: light from the top left (highlights there, shading and a soft
drop shadow towards the bottom right) and an outline of one weight per picture size. Each
block takes the size class (`Ink`) and absolute canvas coordinates; nothing is drawn inside
a transformed group, so blur and shadow filters keep the canvas's pixel units."""
import math
from dataclasses import dataclass

from svg import circle, ellipse, group, num, path, rect


@dataclass(frozen=True)
class Ink:
    outline: float   # outline width in pixels
    shadow_dx: float
    shadow_dy: float
    shadow_blur: float
    shadow_alpha: float


BIG = Ink(outline=1.5, shadow_dx=1.8, shadow_dy=2.6, shadow_blur=2.2, shadow_alpha=0.38)
TINY = Ink(outline=0.9, shadow_dx=0.7, shadow_dy=1.0, shadow_blur=0.7, shadow_alpha=0.45)


def shadowed(doc, ink, *elements):
    return group(*elements, filter=doc.shadow(ink.shadow_dx, ink.shadow_dy, ink.shadow_blur,
                                               ink.shadow_alpha))


def smooth_closed(points, tension=1.0):
    """A closed Catmull-Rom curve through the points, as cubic Bezier path data."""
    n = len(points)
    d = f"M{num(points[0][0])} {num(points[0][1])}"
    for i in range(n):
        p0, p1, p2, p3 = points[i - 1], points[i], points[(i + 1) % n], points[(i + 2) % n]
        c1 = (p1[0] + (p2[0] - p0[0]) * tension / 6, p1[1] + (p2[1] - p0[1]) * tension / 6)
        c2 = (p2[0] - (p3[0] - p1[0]) * tension / 6, p2[1] - (p3[1] - p1[1]) * tension / 6)
        d += (f"C{num(c1[0])} {num(c1[1])} {num(c2[0])} {num(c2[1])} "
              f"{num(p2[0])} {num(p2[1])}")
    return d + "Z"


# ---------------------------------------------------------------- sun

def sun(doc, ink, cx, cy, r, rays=True):
    """A glowing sun; with rays it reaches about 1.5 r from its centre."""
    parts = []
    glow = doc.radial([(0, "#fff3bf", 0.55), (0.55, "#ffd43b", 0.22), (1, "#ffd43b", 0)],
                      cx, cy, r * 1.75)
    parts.append(circle(cx, cy, r * 1.75, fill=glow))
    body = []
    if rays:
        for i in range(12):
            a = math.radians(i * 30 - 15)
            outer = r * (1.52 if i % 2 == 0 else 1.36)
            inner = r * 1.08
            half = math.radians(8 if i % 2 == 0 else 7)
            tip = (cx + outer * math.cos(a), cy + outer * math.sin(a))
            left = (cx + inner * math.cos(a - half), cy + inner * math.sin(a - half))
            right = (cx + inner * math.cos(a + half), cy + inner * math.sin(a + half))
            base = (cx + inner * math.cos(a), cy + inner * math.sin(a))
            # yellow where the ray leaves the disc, orange at its tip; the lit (upper left)
            # rays a touch lighter than the ones in shade
            lift = max(0.0, -math.cos(a + math.radians(45)))
            fill = doc.linear([(0, "#ffe066"), (1, (255, 146 + 40 * lift, 43 + 30 * lift))],
                              base[0], base[1], tip[0], tip[1])
            body.append(path(f"M{num(left[0])} {num(left[1])}L{num(tip[0])} {num(tip[1])}"
                             f"L{num(right[0])} {num(right[1])}Z", fill=fill,
                             stroke="#d9480f", stroke_opacity=0.5, stroke_width=ink.outline,
                             stroke_linejoin="round"))
    disc = doc.radial([(0, "#fffbe6"), (0.35, "#ffe066"), (0.8, "#fcc419"), (1, "#f59f00")],
                      cx - r * 0.25, cy - r * 0.3, r * 1.3, fx=cx - r * 0.35, fy=cy - r * 0.4)
    body.append(circle(cx, cy, r, fill=disc, stroke="#e8590c", stroke_opacity=0.6,
                       stroke_width=ink.outline))
    shine = doc.radial([(0, "#ffffff", 0.85), (1, "#ffffff", 0)], cx - r * 0.38, cy - r * 0.42,
                       r * 0.5)
    body.append(ellipse(cx - r * 0.35, cy - r * 0.4, r * 0.5, r * 0.38, fill=shine))
    parts.append(shadowed(doc, ink, *body))
    return group(*parts)


# ---------------------------------------------------------------- moon

def lit_fraction(phase):
    """Share of the disc that is lit at a point of the lunation (0 new, 0.5 full)."""
    return (1 - math.cos(2 * math.pi * phase)) / 2


def lit_path(cx, cy, r, phase):
    """The lit part of the moon's disc, seen from the northern hemisphere: waxing moons
    are lit on the right, waning ones on the left."""
    waxing = phase <= 0.5
    k = math.cos(2 * math.pi * phase)  # 1 new, 0 quarter, -1 full
    rx = r * abs(k)
    # Limb: half circle on the lit side; terminator: half ellipse back to the top.
    limb_sweep = 1 if waxing else 0
    crescent = k > 0
    term_sweep = (0 if crescent else 1) if waxing else (1 if crescent else 0)
    return (f"M{num(cx)} {num(cy - r)}A{num(r)} {num(r)} 0 0 {limb_sweep} {num(cx)} {num(cy + r)}"
            f"A{num(max(rx, 0.001))} {num(r)} 0 0 {term_sweep} {num(cx)} {num(cy - r)}Z")


# Dark seas of the moon's face, as (x, y, rx, ry) in parts of the radius from the centre.
MARIA = ((-0.28, -0.32, 0.30, 0.22), (0.18, -0.38, 0.22, 0.17), (0.28, -0.02, 0.2, 0.27),
         (-0.1, 0.1, 0.26, 0.16), (-0.42, 0.22, 0.16, 0.2), (0.08, 0.42, 0.18, 0.12))
CRATERS = ((0.46, 0.36, 0.1), (-0.2, 0.58, 0.08), (0.55, -0.42, 0.07), (-0.62, -0.1, 0.07),
           (0.0, -0.7, 0.06))


def blob(cx, cy, rx, ry, seed):
    """An irregular, smooth patch around an ellipse; the same seed gives the same shape."""
    points = []
    for i in range(10):
        t = 2 * math.pi * i / 10
        k = 1 + 0.16 * math.sin(3 * t + seed * 1.7) + 0.09 * math.cos(5 * t + seed * 2.3)
        points.append((cx + rx * k * math.cos(t), cy + ry * k * math.sin(t)))
    return smooth_closed(points)


def earthshine(doc, cx, cy, r, lit):
    """The faint lit rim of the dark part near the new moon, as earthshine shows it: without
    it a new moon, which has no lit part, reads as a picture that failed to load. It fades
    out as the crescent grows."""
    opacity = 0.4 * (1 - lit / EARTHSHINE_UNTIL)
    width = max(1.0, r * 0.05)
    return circle(cx, cy, r - width / 2, fill="none", stroke="#fff4cc", stroke_opacity=opacity,
                  stroke_width=width, filter=doc.blur(max(0.3, r * 0.02)))


EARTHSHINE_UNTIL = 0.15  # lit share of the disc


def moon(doc, ink, cx, cy, r, phase, detail=True, dark=True):
    """The moon at a point of its lunation (0 and 1 new, 0.5 full). With `dark` the unlit
    part stays a faint dusky disc, so that even a new moon is there to see; without it only
    the lit part is drawn, as a night-sky sign."""
    parts = []
    lit = lit_fraction(phase)
    if dark:
        # without the dusky disc a halo would show the unlit part as a grey ghost
        halo = doc.radial([(0, "#fff9db", 0.05 + 0.4 * lit), (0.7, "#e7f5ff", 0.04 + 0.12 * lit),
                           (1, "#e7f5ff", 0)], cx, cy, r * 1.45)
        parts.append(circle(cx, cy, r * 1.45, fill=halo))
    dusk = doc.radial([(0, "#6a7a9c"), (1, "#2f3a58")], cx - r * 0.3, cy - r * 0.35, r * 1.3)
    body = [circle(cx, cy, r, fill=dusk, fill_opacity=0.72)] if dark else []
    if 0 < phase < 1:
        d = lit_path(cx, cy, r, phase)
        face = doc.radial([(0, "#fffff8"), (0.55, "#f6f0d8"), (1, "#d8cda8")],
                          cx - r * 0.3, cy - r * 0.35, r * 1.45)
        disc = doc.clip(circle(cx, cy, r))
        soft = doc.blur(max(0.5, r * 0.035))
        body.append(group(path(d, fill=face, filter=soft), clip_path=disc))
        if detail:
            seas = [path(blob(cx + x * r, cy + y * r, rx * r, ry * r, seed), fill="#b3a684",
                         fill_opacity=0.34) for seed, (x, y, rx, ry) in enumerate(MARIA)]
            pits = []
            for x, y, cr in CRATERS:
                pits.append(circle(cx + x * r, cy + y * r, cr * r, fill="#a89d7c", fill_opacity=0.4))
                pits.append(circle(cx + (x - cr * 0.25) * r, cy + (y - cr * 0.25) * r, cr * r * 0.6,
                                   fill="#fffbea", fill_opacity=0.5))
            seas_clip = doc.clip(path(d))
            body.append(group(*seas, *pits, clip_path=seas_clip, filter=doc.blur(max(0.3, r * 0.025))))
    if dark:
        body.append(circle(cx, cy, r, fill="none", stroke="#dfe6f2", stroke_opacity=0.35 + 0.25 * lit,
                           stroke_width=ink.outline * 0.8))
    if dark and lit < EARTHSHINE_UNTIL:
        body.insert(1, earthshine(doc, cx, cy, r, lit))
    elif 0 < phase < 1:
        body.append(path(d, fill="none", stroke="#8a7a4a", stroke_opacity=0.6,
                         stroke_width=ink.outline * 0.8, stroke_linejoin="round"))
    parts.append(shadowed(doc, ink, *body))
    return group(*parts)


# ---------------------------------------------------------------- earth

# Land on the visible face (Europe, Africa and Arabia seen from above the Sahara), as
# point rings in parts of the radius.
LANDS = (
    ((-0.56, -0.04), (-0.5, -0.26), (-0.4, -0.36), (-0.2, -0.36), (0.02, -0.3), (0.16, -0.34),
     (0.32, -0.3), (0.42, -0.12), (0.56, 0.02), (0.72, 0.06), (0.58, 0.2), (0.48, 0.42),
     (0.36, 0.66), (0.18, 0.84), (0.06, 0.74), (0.0, 0.5), (-0.08, 0.24), (-0.22, 0.12),
     (-0.44, 0.1)),
    ((-0.5, -0.44), (-0.4, -0.54), (-0.24, -0.58), (-0.26, -0.74), (-0.06, -0.84), (0.24, -0.82),
     (0.48, -0.72), (0.62, -0.56), (0.5, -0.44), (0.3, -0.46), (0.18, -0.4), (0.04, -0.48),
     (-0.16, -0.46), (-0.32, -0.4)),
    ((0.44, -0.3), (0.62, -0.34), (0.8, -0.2), (0.86, -0.04), (0.7, 0.02), (0.52, -0.12)),
    ((0.55, 0.54), (0.61, 0.5), (0.63, 0.62), (0.56, 0.71)),
)
# Wisps of cloud drifting over the globe: (x, y, length, height) in parts of the radius.
WISPS = ((-0.8, 0.36, 0.75, 0.1), (0.2, 0.28, 0.6, 0.08))


def earth(doc, ink, cx, cy, r):
    parts = []
    halo = doc.radial([(0.8, "#a5d8ff", 0.45), (1, "#a5d8ff", 0)], cx, cy, r * 1.18)
    parts.append(circle(cx, cy, r * 1.18, fill=halo))
    ocean = doc.radial([(0, "#74c0fc"), (0.55, "#1c7ed6"), (1, "#0b3d74")],
                       cx - r * 0.3, cy - r * 0.35, r * 1.4)
    land = doc.radial([(0, "#c0eb75"), (0.35, "#69db7c"), (0.7, "#2f9e44"), (1, "#1e6b30")],
                      cx - r * 0.3, cy - r * 0.35, r * 1.4)
    desert = doc.radial([(0, "#f6dc9a", 0.95), (0.6, "#e9c46a", 0.6), (1, "#e9c46a", 0)],
                        cx, cy - r * 0.1, r * 0.4)
    body = [circle(cx, cy, r, fill=ocean)]
    disc = doc.clip(circle(cx, cy, r))
    lands = [path(smooth_closed([(cx + x * r, cy + y * r) for x, y in ring]), fill=land,
                  stroke="#1e6b30", stroke_opacity=0.55, stroke_width=ink.outline * 0.6)
             for ring in LANDS]
    sahara = ellipse(cx, cy - r * 0.1, r * 0.4, r * 0.18, fill=desert)
    wisps = [rect(cx + x * r, cy + y * r, w * r, h * r, r=h * r / 2, fill="#ffffff", fill_opacity=0.6)
             for x, y, w, h in WISPS]
    body.append(group(*lands, sahara, group(*wisps, filter=doc.blur(r * 0.05)), clip_path=disc))
    night = doc.radial([(0.55, "#000814", 0), (1, "#000814", 0.45)], cx - r * 0.35, cy - r * 0.4,
                       r * 1.6)
    body.append(circle(cx, cy, r, fill=night))
    shine = doc.radial([(0, "#ffffff", 0.7), (1, "#ffffff", 0)], cx - r * 0.4, cy - r * 0.45, r * 0.6)
    body.append(ellipse(cx - r * 0.38, cy - r * 0.45, r * 0.5, r * 0.34, fill=shine))
    body.append(circle(cx, cy, r, fill="none", stroke="#0b3d74", stroke_opacity=0.7,
                       stroke_width=ink.outline))
    body.append(circle(cx, cy, r - ink.outline, fill="none", stroke="#d0ebff", stroke_opacity=0.5,
                       stroke_width=ink.outline))
    parts.append(shadowed(doc, ink, *body))
    return group(*parts)


# ---------------------------------------------------------------- clouds

# One cloud in a box 100 wide: three puffs over a flat, rounded base. It spans x 6..94
# and y 0..58 of the box.
PUFFS = ((29, 36, 19), (54, 26, 26), (77, 37, 17))
BASE = (6, 30, 88, 28)

CLOUD_TONES = {
    # top, middle, bottom of the body; outline colour and strength
    "white": ("#ffffff", "#e9eef4", "#b9c6d4", "#41546a", 0.55),
    "grey": ("#f1f3f5", "#c3cbd4", "#8e99a6", "#36414d", 0.6),
    "dark": ("#c3cad3", "#8a949f", "#5b6470", "#222931", 0.7),
    "mist": ("#f8f9fa", "#dde2e7", "#b8c0c8", "#59636e", 0.4),
}


def cloud_parts(x, y, width):
    """Puffs and base of a cloud whose box starts at (x, y) and is `width` wide."""
    s = width / 100.0
    shapes = [circle(x + px * s, y + py * s, pr * s) for px, py, pr in PUFFS]
    bx, by, bw, bh = BASE
    shapes.append(rect(x + bx * s, y + by * s, bw * s, bh * s, r=bh * s / 2))
    return shapes


def cloud(doc, ink, x, y, width, tone="white"):
    top, mid, bottom, edge, strength = CLOUD_TONES[tone]
    s = width / 100.0
    shapes = cloud_parts(x, y, width)
    # The outline is the union's edge: every part stroked first, then all of them filled.
    outline = group(*shapes, fill=edge, stroke=edge, stroke_width=ink.outline * 2,
                    opacity=strength, stroke_linejoin="round")
    body_fill = doc.linear([(0, top), (0.55, mid), (1, bottom)], 0, y, 0, y + 58 * s)
    body = group(*shapes, fill=body_fill)
    union = doc.clip(*shapes)
    lights = []
    for px, py, pr in PUFFS:
        hx, hy = x + (px - pr * 0.3) * s, y + (py - pr * 0.38) * s
        light = doc.radial([(0, "#ffffff", 0.95), (0.6, "#ffffff", 0.35), (1, "#ffffff", 0)],
                           hx, hy, pr * s * 0.95)
        lights.append(circle(hx, hy, pr * s * 0.95, fill=light))
    # a soft shade along the underside, where the puffs fold into the base
    shade = doc.linear([(0, "#1c2a3a", 0), (1, "#1c2a3a", 0.16)], 0, y + 36 * s, 0, y + 58 * s)
    lights.append(rect(x, y + 36 * s, width, 22 * s, fill=shade))
    return shadowed(doc, ink, group(outline, body, group(*lights, clip_path=union)))


# ---------------------------------------------------------------- precipitation

def drop(doc, ink, x, y, size, tilt=14):
    """A rain drop with its round end at (x, y); `size` is its length."""
    r = size * 0.3
    a = math.radians(tilt)
    # tip above the round end, leaning with the wind
    tx, ty = x + size * 0.7 * math.sin(a), y - size * 0.7 * math.cos(a)
    nx, ny = math.cos(a), math.sin(a)
    d = (f"M{num(tx)} {num(ty)}"
         f"C{num(tx + nx * r * 0.3)} {num(ty + ny * r * 0.3 + r * 0.6)} {num(x + nx * r)} {num(y - r * 0.5)} "
         f"{num(x + nx * r)} {num(y)}"
         f"A{num(r)} {num(r)} 0 0 1 {num(x - nx * r)} {num(y)}"
         f"C{num(x - nx * r)} {num(y - r * 0.5)} {num(tx - nx * r * 0.3)} {num(ty + r * 0.6)} "
         f"{num(tx)} {num(ty)}Z")
    fill = doc.linear([(0, "#d0ebff"), (0.5, "#4dabf7"), (1, "#1971c2")], x - r, ty, x + r, y + r)
    shine = ellipse(x - r * 0.35, y - r * 0.2, r * 0.28, r * 0.45, fill="#ffffff", fill_opacity=0.75)
    return path(d, fill=fill, stroke="#0b4b8c", stroke_opacity=0.6, stroke_width=ink.outline,
                stroke_linejoin="round") + shine


def flake(doc, ink, x, y, r):
    """A six-armed snow crystal of radius r."""
    d = ""
    for i in range(6):
        a = math.radians(90 + i * 60)
        ex, ey = x + r * math.cos(a), y - r * math.sin(a)
        d += f"M{num(x)} {num(y)}L{num(ex)} {num(ey)}"
        if r >= 5:
            bx, by = x + r * 0.58 * math.cos(a), y - r * 0.58 * math.sin(a)
            for side in (-1, 1):
                b = a + side * math.radians(42)
                d += (f"M{num(bx)} {num(by)}"
                      f"L{num(bx + r * 0.3 * math.cos(b))} {num(by - r * 0.3 * math.sin(b))}")
    width = max(ink.outline * 1.2, r * 0.2)
    under = path(d, fill="none", stroke="#1c4f8a", stroke_opacity=0.7, stroke_width=width + ink.outline * 1.6,
                 stroke_linecap="round", stroke_linejoin="round")
    over = path(d, fill="none", stroke="#ffffff", stroke_width=width, stroke_linecap="round",
                stroke_linejoin="round")
    heart = circle(x, y, width * 0.9, fill="#e7f5ff")
    return under + over + heart


def hailstone(doc, ink, x, y, r):
    fill = doc.radial([(0, "#ffffff"), (0.6, "#e3f0fb"), (1, "#9fbcd6")], x - r * 0.35, y - r * 0.35, r * 1.4)
    return circle(x, y, r, fill=fill, stroke="#2f5578", stroke_opacity=0.65, stroke_width=ink.outline)


def bolt(doc, ink, x, y, height):
    """A lightning bolt whose top is at (x, y), leaning left as it falls."""
    s = height / 40.0
    pts = ((10, 0), (22, 0), (15, 14), (23, 14), (4, 40), (9, 21), (1, 21))
    d = "M" + "L".join(f"{num(x + px * s)} {num(y + py * s)}" for px, py in pts) + "Z"
    fill = doc.linear([(0, "#fff3bf"), (0.45, "#ffd43b"), (1, "#f59f00")], x, y, x + 10 * s, y + height)
    return path(d, fill=fill, stroke="#c2410c", stroke_opacity=0.8, stroke_width=ink.outline,
                stroke_linejoin="round")


def precipitation(doc, ink, *items):
    return shadowed(doc, ink, *items)


# ---------------------------------------------------------------- mist, haze, wind

def bands(doc, ink, rows, colour="#f1f3f5", opacity=0.9, edge="#495057"):
    """Soft horizontal bands of mist: rows of (x, y, width, height)."""
    out = []
    for x, y, w, h in rows:
        fill = doc.linear([(0, "#ffffff"), (1, colour)], 0, y - h / 2, 0, y + h / 2)
        out.append(rect(x, y - h / 2, w, h, r=h / 2, fill=fill, fill_opacity=opacity, stroke=edge,
                        stroke_opacity=0.35 * opacity, stroke_width=ink.outline))
    return shadowed(doc, ink, *out)


def gust(x, y, length, curl, down=False):
    """One gust line: a stroke running right whose end curls back over it (or under it)."""
    if curl <= 0:
        return f"M{num(x)} {num(y)}H{num(x + length)}"
    ex = x + length - curl
    sweep = 1 if down else 0
    sign = 1 if down else -1
    return (f"M{num(x)} {num(y)}H{num(ex)}"
            f"A{num(curl)} {num(curl)} 0 0 {sweep} {num(ex)} {num(y + sign * 2 * curl)}"
            f"A{num(curl * 0.62)} {num(curl * 0.62)} 0 0 {sweep} {num(ex - curl * 1.05)} "
            f"{num(y + sign * curl * 1.25)}")


def wind(doc, ink, lines, width):
    """Gust lines: (x, y, length, curl) each; a negative curl turns downwards."""
    d = "".join(gust(x, y, length, abs(curl), down=curl < 0) for x, y, length, curl in lines)
    under = path(d, fill="none", stroke="#1f3b57", stroke_opacity=0.6, stroke_width=width + ink.outline * 2,
                 stroke_linecap="round", stroke_linejoin="round")
    top = min(l[1] - 2 * abs(l[3]) for l in lines)
    bottom = max(l[1] + 2 * abs(l[3]) for l in lines)
    over_fill = doc.linear([(0, "#ffffff"), (1, "#c5dcf0")], 0, top, 0, bottom)
    over = path(d, fill="none", stroke=over_fill, stroke_width=width, stroke_linecap="round",
                stroke_linejoin="round")
    return shadowed(doc, ink, under, over)


def veil(doc, x, y, w, h, colour, opacity):
    """A soft-edged wash of haze, strongest across its middle."""
    fill = doc.linear([(0, colour, 0), (0.5, colour, opacity), (1, colour, 0)], 0, y, 0, y + h)
    return rect(x, y, w, h, r=h / 2, fill=fill, filter=doc.blur(max(0.6, h * 0.08)))


# ---------------------------------------------------------------- cold and unknown

def thermometer(doc, ink, x, y, height, level=0.25):
    """A thermometer standing at (x, y) (top of the tube), filled to `level` with cold blue."""
    w = height * 0.2
    bulb = w * 0.95
    tube_bottom = y + height - bulb * 1.6
    glass = doc.linear([(0, "#ffffff"), (0.6, "#e9ecef"), (1, "#adb5bd")], x - w / 2, 0, x + w / 2, 0)
    cx, cy = x, y + height - bulb
    d = (f"M{num(x - w / 2)} {num(y + w / 2)}A{num(w / 2)} {num(w / 2)} 0 0 1 {num(x + w / 2)} {num(y + w / 2)}"
         f"V{num(tube_bottom)}A{num(bulb)} {num(bulb)} 0 1 1 {num(x - w / 2)} {num(tube_bottom)}Z")
    mercury = doc.linear([(0, "#74c0fc"), (1, "#1864ab")], cx - bulb, 0, cx + bulb, 0)
    top = tube_bottom - (tube_bottom - y - w) * level
    column = rect(x - w * 0.2, top, w * 0.4, cy - top, r=w * 0.2, fill=mercury)
    ticks = "".join(f"M{num(x + w * 0.05)} {num(y + w + i * (tube_bottom - y - w) / 4)}h{num(w * 0.3)}"
                    for i in range(4))
    return shadowed(doc, ink,
                    path(d, fill=glass, stroke="#343a40", stroke_opacity=0.7, stroke_width=ink.outline),
                    column, circle(cx, cy, bulb * 0.7, fill=mercury),
                    path(ticks, stroke="#495057", stroke_width=ink.outline * 0.7, stroke_opacity=0.6),
                    ellipse(cx - bulb * 0.25, cy - bulb * 0.25, bulb * 0.2, bulb * 0.15, fill="#ffffff",
                            fill_opacity=0.8))


def question(doc, ink, x, y, height):
    """A question mark whose box starts at (x, y)."""
    s = height / 20.0
    hook = (f"M{num(x + 2 * s)} {num(y + 6 * s)}A{num(5 * s)} {num(5 * s)} 0 1 1 {num(x + 10 * s)} {num(y + 10 * s)}"
            f"Q{num(x + 7 * s)} {num(y + 11.5 * s)} {num(x + 7 * s)} {num(y + 14 * s)}")
    width = 3.2 * s
    under = path(hook, fill="none", stroke="#212529", stroke_opacity=0.7, stroke_width=width + ink.outline * 2,
                 stroke_linecap="round", stroke_linejoin="round")
    over = path(hook, fill="none", stroke="#ffffff", stroke_width=width, stroke_linecap="round",
                stroke_linejoin="round")
    dot_r = width * 0.62
    return shadowed(doc, ink, under, over,
                    circle(x + 7 * s, y + 18.5 * s, dot_r + ink.outline, fill="#212529", fill_opacity=0.7),
                    circle(x + 7 * s, y + 18.5 * s, dot_r, fill="#ffffff"))
