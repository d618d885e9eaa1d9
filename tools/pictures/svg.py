"""A small SVG writer: one document per picture, with gradients and filters collected in
its <defs> under ids that are unique within the document."""


def num(value):
    """A coordinate as short, stable text (no float noise in the SVG source)."""
    text = f"{value:.3f}".rstrip("0").rstrip(".")
    return "0" if text in ("-0", "") else text


def attrs(**kwargs):
    """Keyword arguments as SVG attributes; '_' in a name becomes '-', None is left out."""
    parts = []
    for key, value in kwargs.items():
        if value is None:
            continue
        if isinstance(value, float):
            value = num(value)
        parts.append(f'{key.rstrip("_").replace("_", "-")}="{value}"')
    return " ".join(parts)


def colour(rgb):
    """'#rrggbb' from a colour given as '#rrggbb' or an (r, g, b) tuple."""
    if isinstance(rgb, str):
        return rgb
    return "#%02x%02x%02x" % tuple(max(0, min(255, round(c))) for c in rgb)


class Doc:
    """One picture, width x height pixels, showing the drawing's rows from `top` on."""

    def __init__(self, width, height, top=0):
        self.width = width
        self.height = height
        self.top = top
        self.defs = []
        self.body = []
        self._count = 0
        self._filters = {}

    def uid(self, prefix):
        self._count += 1
        return f"{prefix}{self._count}"

    def add(self, *elements):
        self.body.extend(elements)

    def _stops(self, stops):
        out = []
        for stop in stops:
            offset, rgb = stop[0], stop[1]
            opacity = stop[2] if len(stop) > 2 else 1.0
            out.append(f'<stop offset="{num(offset)}" stop-color="{colour(rgb)}"'
                       + (f' stop-opacity="{num(opacity)}"' if opacity != 1.0 else "") + "/>")
        return "".join(out)

    def linear(self, stops, x1, y1, x2, y2):
        """A linear gradient in canvas coordinates, as a fill or stroke value. Stops are
        (offset, colour) or (offset, colour, opacity)."""
        gid = self.uid("l")
        self.defs.append(f'<linearGradient id="{gid}" gradientUnits="userSpaceOnUse" '
                         f'{attrs(x1=float(x1), y1=float(y1), x2=float(x2), y2=float(y2))}>'
                         f"{self._stops(stops)}</linearGradient>")
        return f"url(#{gid})"

    def radial(self, stops, cx, cy, r, fx=None, fy=None):
        """A radial gradient in canvas coordinates, optionally with its focus moved."""
        gid = self.uid("r")
        focus = attrs(fx=None if fx is None else float(fx), fy=None if fy is None else float(fy))
        self.defs.append(f'<radialGradient id="{gid}" gradientUnits="userSpaceOnUse" '
                         f'{attrs(cx=float(cx), cy=float(cy), r=float(r))} {focus}>'
                         f"{self._stops(stops)}</radialGradient>")
        return f"url(#{gid})"

    def blur(self, deviation):
        """A Gaussian blur over the whole canvas, so that no blur is cut at a shape's box."""
        key = num(deviation)
        if key not in self._filters:
            fid = self.uid("b")
            self.defs.append(f'<filter id="{fid}" filterUnits="userSpaceOnUse" x="0" y="{self.top}" '
                             f'width="{self.width}" height="{self.height}">'
                             f'<feGaussianBlur stdDeviation="{key}"/></filter>')
            self._filters[key] = f"url(#{fid})"
        return self._filters[key]

    def shadow(self, dx, dy, deviation, opacity):
        """A soft drop shadow under whatever the filtered group draws; the filter spans the
        whole canvas so that no blur is cut at a shape's box."""
        key = ("shadow", num(dx), num(dy), num(deviation), num(opacity))
        if key not in self._filters:
            fid = self.uid("s")
            self.defs.append(
                f'<filter id="{fid}" filterUnits="userSpaceOnUse" x="0" y="{self.top}" '
                f'width="{self.width}" height="{self.height}" color-interpolation-filters="sRGB">'
                f'<feGaussianBlur in="SourceAlpha" stdDeviation="{num(deviation)}"/>'
                f'<feOffset dx="{num(dx)}" dy="{num(dy)}" result="o"/>'
                f'<feComponentTransfer in="o" result="s"><feFuncA type="linear" slope="{num(opacity)}"/>'
                f'</feComponentTransfer>'
                f'<feMerge><feMergeNode in="s"/><feMergeNode in="SourceGraphic"/></feMerge></filter>')
            self._filters[key] = f"url(#{fid})"
        return self._filters[key]

    def clip(self, *elements):
        cid = self.uid("c")
        self.defs.append(f'<clipPath id="{cid}">{"".join(elements)}</clipPath>')
        return f"url(#{cid})"

    def text(self):
        return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{self.width}" '
                f'height="{self.height}" viewBox="0 {self.top} {self.width} {self.height}">'
                f'<defs>{"".join(self.defs)}</defs>{"".join(self.body)}</svg>\n')


def group(*elements, **kwargs):
    return f"<g {attrs(**kwargs)}>{''.join(elements)}</g>"


def path(d, **kwargs):
    return f'<path d="{d}" {attrs(**kwargs)}/>'


def circle(cx, cy, r, **kwargs):
    return f"<circle {attrs(cx=float(cx), cy=float(cy), r=float(r), **kwargs)}/>"


def ellipse(cx, cy, rx, ry, **kwargs):
    return f"<ellipse {attrs(cx=float(cx), cy=float(cy), rx=float(rx), ry=float(ry), **kwargs)}/>"


def rect(x, y, w, h, r=0, **kwargs):
    return (f"<rect {attrs(x=float(x), y=float(y), width=float(w), height=float(h))} "
            f"{attrs(rx=float(r) if r else None)} {attrs(**kwargs)}/>")


def rounded_rect_path(x, y, w, h, r):
    """Outline of a rounded rectangle as path data (for masks and clip paths)."""
    return (f"M{num(x + r)} {num(y)}H{num(x + w - r)}A{num(r)} {num(r)} 0 0 1 {num(x + w)} {num(y + r)}"
            f"V{num(y + h - r)}A{num(r)} {num(r)} 0 0 1 {num(x + w - r)} {num(y + h)}"
            f"H{num(x + r)}A{num(r)} {num(r)} 0 0 1 {num(x)} {num(y + h - r)}"
            f"V{num(y + r)}A{num(r)} {num(r)} 0 0 1 {num(x + r)} {num(y)}Z")
