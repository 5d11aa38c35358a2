"""landscape.dat: a horizon silhouette drawn by this generator, as a PNG picture.

The program stretches the picture over the square around the horizon circle of its sky
charts and lets the chart show through wherever the picture is pure green, RGB(0, 255, 0).
The circle inscribed in the square is the horizon, its centre the zenith, and altitude falls
linearly with the distance from the centre. Around the rim lie hills, a mountain range, a
wood and a village, each a flat colour: edges are hard, so no pixel mixes the key green
with the land.
"""

import math
import random

import numpy as np
from PIL import Image

SIZE_PX = 1024
SKY_KEY = (0, 255, 0)

COLOURS = {                      # night silhouettes, far from the key green
    "mountains": (58, 62, 78),
    "hills": (36, 40, 50),
    "wood": (24, 30, 30),
    "village": (30, 30, 38),
}

AZIMUTH_STEP_DEG = 0.1


def _azimuths():
    return np.arange(0.0, 360.0, AZIMUTH_STEP_DEG)


def hills_profile(az):
    """Rolling hills all round, 1.5 to 6 degrees high."""
    a = np.radians(az)
    h = 3.4 + 1.6 * np.sin(2 * a + 0.7) + 1.0 * np.sin(5 * a + 2.1) + 0.4 * np.sin(13 * a + 0.3)
    return np.maximum(h, 1.5)


def _peaks(az, peaks):
    """Piecewise-linear ridges: each peak (azimuth, height, half width) in degrees."""
    h = np.zeros_like(az)
    for centre, height, half_width in peaks:
        distance = np.abs((az - centre + 180) % 360 - 180)
        h = np.maximum(h, height * np.clip(1 - distance / half_width, 0, 1))
    return h


def mountains_profile(az, rng):
    peaks = [(262 + 4 * k + rng.uniform(-1.5, 1.5), rng.uniform(6, 14), rng.uniform(4, 12))
             for k in range(22)]
    return _peaks(az, peaks)


def wood_profile(az, rng):
    """Conifers between azimuths 150 and 215: narrow triangles on a low canopy."""
    trees = [(150 + 1.6 * k + rng.uniform(-0.3, 0.3), rng.uniform(6, 10), rng.uniform(0.8, 1.3))
             for k in range(41)]
    h = _peaks(az, trees)
    canopy = np.where((az > 148) & (az < 217), 5.0, 0.0)
    return np.maximum(h, canopy)


def village_profile(az, rng):
    """Houses between azimuths 40 and 100, and a bell tower."""
    h = np.zeros_like(az)
    start = 40.0
    while start < 100:
        width = rng.uniform(2.0, 5.0)
        height = rng.uniform(4.0, 8.5)
        h = np.where((az >= start) & (az < start + width), height, h)
        start += width + rng.uniform(0.0, 1.0)
    h = np.where((az >= 71.0) & (az < 72.6), 16.0, h)
    return h


def render(size=SIZE_PX, seed=7):
    rng = random.Random(seed)
    az_table = _azimuths()
    layers = [  # nearest first: a nearer layer hides the ones behind it
        ("hills", hills_profile(az_table)),
        ("village", village_profile(az_table, rng)),
        ("wood", wood_profile(az_table, rng)),
        ("mountains", mountains_profile(az_table, rng)),
    ]
    centre = size / 2
    rows, cols = np.mgrid[0:size, 0:size]
    dx = cols + 0.5 - centre
    dy = centre - (rows + 0.5)
    radius = np.hypot(dx, dy) / centre
    altitude = 90.0 * (1.0 - radius)
    azimuth = np.degrees(np.arctan2(dx, dy)) % 360.0
    index = np.minimum((azimuth / AZIMUTH_STEP_DEG).astype(int), len(az_table) - 1)

    picture = np.empty((size, size, 3), dtype=np.uint8)
    picture[:] = SKY_KEY
    inside = radius <= 1.0
    covered = np.zeros((size, size), dtype=bool)
    for name, profile in layers:
        mask = inside & ~covered & (altitude <= profile[index])
        picture[mask] = COLOURS[name]
        covered |= mask
    return picture


def generate(output_dir):
    picture = render()
    Image.fromarray(picture, "RGB").save(f"{output_dir}/landscape.dat", format="PNG",
                                         optimize=True)
    return {"size": SIZE_PX}
