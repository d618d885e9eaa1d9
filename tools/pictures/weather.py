"""The weather pictures: big condition pictures and their backdrops (sun, moon, earth),
the small forecast pictures and the moon phases, all composed from the shared blocks.

Big pictures share one canvas and one sky position: the backdrop's disc sits where the
clouds of the condition picture can pass in front of it. Their mass stays in the upper
left, since the window writes the temperature and the place name to the right of it and
the forecast grid starts below it."""
from blocks import (BIG, TINY, bands, bolt, cloud, drop, earth, flake, hailstone, moon,
                    precipitation, question, sun, thermometer, veil, wind)
from svg import Doc

BIG_SIZE = (174, 149)
TINY_SIZE = (61, 34)
SKY = (60, 54)   # centre of the sun, the moon and the earth in a big picture
SUN_R = 32
MOON_R = 36

MOON_STEPS = 29
# The crescent that stands for the night in the small pictures; behind a cloud it is the
# waning one, lit on the left, away from the cloud.
NIGHT_PHASE = 0.22
NIGHT_PHASE_BEHIND = 1 - NIGHT_PHASE


def moon_phase(index):
    """Point of the lunation shown by moon picture `index`: the program takes the index as
    the lunation's percentage times 0.279, so index 28 is the next new moon."""
    return min(index / 27.9, 1.0)


# ---------------------------------------------------------------- big pictures

def big(draw):
    doc = Doc(*BIG_SIZE)
    draw(doc)
    return doc


def rain_cloud(doc, tone):
    # low and to the right, so that a sun or moon behind it still shows at the upper left
    doc.add(cloud(doc, BIG, 20, 28, 90, tone))


def draw_few_clouds(doc):
    doc.add(cloud(doc, BIG, 44, 58, 66, "white"))


def draw_clouds(doc):
    doc.add(cloud(doc, BIG, 4, 46, 52, "grey"))
    doc.add(cloud(doc, BIG, 24, 56, 86, "white"))


def draw_many_clouds(doc):
    doc.add(cloud(doc, BIG, 2, 20, 78, "grey"))
    doc.add(cloud(doc, BIG, 52, 30, 56, "grey"))
    doc.add(cloud(doc, BIG, 18, 50, 92, "white"))


def draw_rain(doc):
    rain_cloud(doc, "grey")
    doc.add(precipitation(doc, BIG, *(drop(doc, BIG, x, y, 18) for x, y in
                                      ((38, 98), (56, 106), (74, 98), (92, 106)))))


def draw_showers(doc):
    rain_cloud(doc, "white")
    doc.add(precipitation(doc, BIG, *(drop(doc, BIG, x, y, 18) for x, y in
                                      ((48, 100), (68, 107), (88, 100)))))


def draw_thunderstorms(doc):
    rain_cloud(doc, "dark")
    doc.add(precipitation(doc, BIG, drop(doc, BIG, 40, 102, 17), drop(doc, BIG, 90, 100, 17)))
    doc.add(precipitation(doc, BIG, bolt(doc, BIG, 54, 66, 44)))


def draw_hail(doc):
    rain_cloud(doc, "grey")
    stones = ((40, 97, 6), (60, 105, 6), (80, 96, 6), (96, 105, 4.5), (50, 88, 3.5), (70, 89, 3.5))
    doc.add(precipitation(doc, BIG, *(hailstone(doc, BIG, x, y, r) for x, y, r in stones)))


def draw_snow(doc):
    rain_cloud(doc, "white")
    flakes = ((40, 96, 8.5), (64, 103, 8.5), (88, 95, 8.5))
    doc.add(precipitation(doc, BIG, *(flake(doc, BIG, x, y, r) for x, y, r in flakes)))


def draw_flurries(doc):
    doc.add(cloud(doc, BIG, 10, 18, 86, "white"))
    doc.add(wind(doc, BIG, ((14, 92, 76, 6), (34, 100, 66, -4.5)), 3.4))
    doc.add(precipitation(doc, BIG, flake(doc, BIG, 28, 78, 6.5), flake(doc, BIG, 58, 82, 5.5),
                          flake(doc, BIG, 100, 78, 5)))


def draw_ice(doc):
    doc.add(thermometer(doc, BIG, 30, 20, 84, level=0.2))
    doc.add(precipitation(doc, BIG, flake(doc, BIG, 74, 56, 28)))


def draw_haze(doc):
    # a warm veil over the lower sky, and streaks of haze drifting through it
    doc.add(veil(doc, 18, 52, 86, 56, "#f1e2c4", 0.42))
    rows = ((18, 64, 66, 7), (34, 77, 72, 7), (12, 90, 70, 7), (30, 103, 70, 6))
    doc.add(bands(doc, BIG, rows, colour="#e6cfa2", opacity=0.8, edge="#7c6a4a"))


def draw_fog(doc):
    doc.add(cloud(doc, BIG, 14, 12, 90, "mist"))
    rows = ((8, 74, 88, 10), (22, 88, 86, 10), (12, 102, 80, 10))
    doc.add(bands(doc, BIG, rows, colour="#ced4da", opacity=0.92))


def draw_wind(doc):
    doc.add(wind(doc, BIG, ((10, 46, 88, 10), (24, 68, 84, 0), (14, 90, 76, -9)), 5.5))


def draw_sun(doc):
    doc.add(sun(doc, BIG, *SKY, SUN_R))


def draw_earth(doc):
    doc.add(earth(doc, BIG, *SKY, MOON_R))


def draw_nothing(doc):
    """Clear sky: the backdrop alone shows; also the plain backdrop of a sky-less picture."""


BIG_PICTURES = {
    "Sun": draw_sun,
    "Earth": draw_earth,
    "None": draw_nothing,
    "Few Clouds": draw_few_clouds,
    "Clouds": draw_clouds,
    "Many Clouds": draw_many_clouds,
    "Rain": draw_rain,
    "Showers": draw_showers,
    "Thunderstorms": draw_thunderstorms,
    "Hail": draw_hail,
    "Snow": draw_snow,
    "Flurries": draw_flurries,
    "Ice": draw_ice,
    "Haze": draw_haze,
    "Fog": draw_fog,
    "Wind": draw_wind,
}


def big_moon(index):
    doc = Doc(*BIG_SIZE)
    doc.add(moon(doc, BIG, *SKY, MOON_R, moon_phase(index)))
    return doc


# ---------------------------------------------------------------- small pictures

def tiny(draw):
    doc = Doc(*TINY_SIZE)
    draw(doc)
    return doc


def tiny_sun(doc, x, y, r=7):
    doc.add(sun(doc, TINY, x, y, r))


def tiny_rain_cloud(doc, tone, x=14):
    doc.add(cloud(doc, TINY, x, 1, 32, tone))


def tiny_drops(doc, spots):
    doc.add(precipitation(doc, TINY, *(drop(doc, TINY, x, y, 6.5) for x, y in spots)))


RAIN_SPOTS = ((23, 24), (30.5, 22.5), (38, 24))
SHOWER_SPOTS = ((25, 23.5), (35, 23.5))


def sky_with_cloud(body, cloud_left, cloud_top, cloud_width):
    """The sun or the moon at the upper left, a cloud passing in front of its lower right."""
    def draw(doc):
        body(doc)
        doc.add(cloud(doc, TINY, cloud_left, cloud_top, cloud_width, "white"))
    return draw


def sky_with_rain(body, tone="grey", spots=SHOWER_SPOTS, lightning=False):
    def draw(doc):
        body(doc)
        doc.add(cloud(doc, TINY, 20, 2, 32, tone))
        if lightning:
            doc.add(precipitation(doc, TINY, bolt(doc, TINY, 31, 13, 13)))
        else:
            doc.add(precipitation(doc, TINY, *(drop(doc, TINY, x + 6, y, 6.5) for x, y in spots)))
    return draw


def sun_at(x, y):
    return lambda doc: tiny_sun(doc, x, y, 6.5)


def moon_at(x, y):
    return lambda doc: doc.add(moon(doc, TINY, x, y, 8.5, NIGHT_PHASE_BEHIND, detail=False, dark=False))


def draw_tiny_sun(doc):
    tiny_sun(doc, 30.5, 13, 7.5)


def draw_tiny_moon(doc):
    # the crescent, not the whole disc, centred in the tile
    doc.add(moon(doc, TINY, 24.5, 13, 11, NIGHT_PHASE, detail=False, dark=False))


def draw_tiny_clouds(doc):
    doc.add(cloud(doc, TINY, 9, 2, 28, "grey"))
    doc.add(cloud(doc, TINY, 20, 7, 32, "white"))


def draw_tiny_rain(doc):
    tiny_rain_cloud(doc, "grey")
    tiny_drops(doc, RAIN_SPOTS)


def draw_tiny_showers(doc):
    tiny_rain_cloud(doc, "white")
    tiny_drops(doc, SHOWER_SPOTS)


def draw_tiny_thunderstorms(doc):
    tiny_rain_cloud(doc, "dark")
    doc.add(precipitation(doc, TINY, bolt(doc, TINY, 25, 12, 14)))


def draw_tiny_hail(doc):
    tiny_rain_cloud(doc, "grey")
    doc.add(precipitation(doc, TINY, *(hailstone(doc, TINY, x, y, 2.6) for x, y in
                                       ((22, 21.5), (30.5, 23), (39, 21.5)))))


def draw_tiny_snow(doc):
    tiny_rain_cloud(doc, "white")
    doc.add(precipitation(doc, TINY, flake(doc, TINY, 23, 22, 3.4), flake(doc, TINY, 38, 22, 3.4)))


def draw_tiny_flurries(doc):
    doc.add(cloud(doc, TINY, 10, 1, 30, "white"))
    doc.add(wind(doc, TINY, ((30, 22, 22, 3),), 1.6))
    doc.add(precipitation(doc, TINY, flake(doc, TINY, 19, 21, 3.2)))


def draw_tiny_ice(doc):
    doc.add(thermometer(doc, TINY, 20, 2, 23, level=0.2))
    doc.add(precipitation(doc, TINY, flake(doc, TINY, 37, 13, 9)))


def draw_tiny_haze(doc):
    tiny_sun(doc, 24, 10, 6)
    rows = ((12, 15, 30, 4), (20, 20, 30, 4), (14, 25 - 0.5, 28, 3.5))
    doc.add(bands(doc, TINY, rows, colour="#ecdcbc", opacity=0.85, edge="#7c6a4a"))


def draw_tiny_fog(doc):
    doc.add(cloud(doc, TINY, 15, 0, 30, "mist"))
    rows = ((12, 15, 34, 4.5), (18, 20.5, 32, 4.5))
    doc.add(bands(doc, TINY, rows, colour="#ced4da", opacity=0.95))


def draw_tiny_wind(doc):
    doc.add(wind(doc, TINY, ((12, 7.5, 35, 3.2), (18, 13.5, 31, 0), (12, 18.5, 29, -2.6)), 2.1))


def draw_tiny_unknown(doc):
    doc.add(cloud(doc, TINY, 13, 2, 36, "grey"))
    doc.add(question(doc, TINY, 27, 6, 17))


TINY_PICTURES = {
    "Sun": draw_tiny_sun,
    "Moon": draw_tiny_moon,
    "Sun Few Clouds": sky_with_cloud(sun_at(23.5, 10), 22.5, 10, 24),
    "Moon Few Clouds": sky_with_cloud(moon_at(23.5, 10), 22.5, 10, 24),
    "Sun And Clouds": sky_with_cloud(sun_at(21, 10), 16, 6, 34),
    "Moon And Clouds": sky_with_cloud(moon_at(21, 10), 16, 6, 34),
    "Clouds": draw_tiny_clouds,
    "Rain": draw_tiny_rain,
    "Showers": draw_tiny_showers,
    "Sun And Rain": sky_with_rain(sun_at(20, 8), "white"),
    "Moon And Rain": sky_with_rain(moon_at(20, 8), "white"),
    "Thunderstorms": draw_tiny_thunderstorms,
    "Sunny Thunderstorms": sky_with_rain(sun_at(20, 8), "dark", lightning=True),
    "Hail": draw_tiny_hail,
    "Snow": draw_tiny_snow,
    "Flurries": draw_tiny_flurries,
    "Ice": draw_tiny_ice,
    "Haze": draw_tiny_haze,
    "Fog": draw_tiny_fog,
    "Wind": draw_tiny_wind,
    # the unknown condition; the file carries this spelling
    "Blinmiyor": draw_tiny_unknown,
}


def tiny_moon_phase(index):
    doc = Doc(*TINY_SIZE)
    doc.add(moon(doc, TINY, 30.5, 12.5, 11, moon_phase(index), detail=True))
    return doc
