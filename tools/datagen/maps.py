"""MapEarth.dat and the fourteen orthographic views Map0.dat .. MapSouth.dat.

MapEarth.dat is xplanet's 2048 x 1024 equirectangular Earth (NASA Visible Earth), unchanged.
Each view is rendered from it in the geometry in which the world map draws on it: the
picture is twice as wide as high and spans 720 x 360 map units, origin in the middle, y up;
the globe is the circle of radius 142 units about the origin, and a point (lon, lat) lies at
    x = 142 cos lat sin(lon - lon0)
    y = 142 (cos lat0 sin lat - sin lat0 cos lat cos(lon - lon0))
for the view centre (lon0, lat0). Outside the globe the picture is black.
"""

import shutil

import numpy as np
from PIL import Image

EARTH_PATH = "/usr/share/xplanet/images/earth.jpg"

GLOBE_RADIUS_UNITS = 142.0
PICTURE_HEIGHT_UNITS = 360.0

# 2 pixels per map unit: sharp up to a map box 720 pixels high.
VIEW_WIDTH_PX = 1440
VIEW_HEIGHT_PX = 720
SUPERSAMPLING = 3          # samples per pixel side, smooths the limb and the coasts
JPEG_QUALITY = 90

# File name -> view centre (longitude east 0..360, latitude), degrees.
VIEWS = {
    "Map0.dat": (0, 0), "Map0N45.dat": (0, 45), "Map0S45.dat": (0, -45),
    "Map90.dat": (90, 0), "Map90N45.dat": (90, 45), "Map90S45.dat": (90, -45),
    "Map180.dat": (180, 0), "Map180N45.dat": (180, 45), "Map180S45.dat": (180, -45),
    "Map270.dat": (270, 0), "Map270N45.dat": (270, 45), "Map270S45.dat": (270, -45),
    "MapNorth.dat": (0, 90), "MapSouth.dat": (0, -90),
}


def inverse_orthographic(x, y, lon0_deg, lat0_deg):
    """Longitude and latitude (degrees) of map points x, y (units of the globe radius);
    NaN off the globe. Snyder, Map Projections - A Working Manual, eqs. 20-14, 20-15."""
    lat0 = np.radians(lat0_deg)
    rho = np.hypot(x, y)
    on_globe = rho <= 1.0
    c = np.arcsin(np.clip(rho, 0.0, 1.0))
    safe_rho = np.where(rho > 0, rho, 1.0)
    sin_lat = np.cos(c) * np.sin(lat0) + np.where(rho > 0, y * np.sin(c) * np.cos(lat0) / safe_rho,
                                                  np.sin(lat0))
    lat = np.degrees(np.arcsin(np.clip(sin_lat, -1.0, 1.0)))
    lon = lon0_deg + np.degrees(np.arctan2(x * np.sin(c), rho * np.cos(lat0) * np.cos(c)
                                           - y * np.sin(lat0) * np.sin(c)))
    lon = (lon + 180.0) % 360.0 - 180.0
    return np.where(on_globe, lon, np.nan), np.where(on_globe, lat, np.nan)


def sample_equirectangular(earth, lon, lat):
    """Bilinear samples of an equirectangular picture (left edge 180 W, top edge 90 N)."""
    height, width, _ = earth.shape
    u = (lon + 180.0) / 360.0 * width - 0.5
    v = (90.0 - lat) / 180.0 * height - 0.5
    u0 = np.floor(u).astype(int)
    v0 = np.floor(v).astype(int)
    fu = (u - u0)[..., None]
    fv = (v - v0)[..., None]
    v0c = np.clip(v0, 0, height - 1)
    v1c = np.clip(v0 + 1, 0, height - 1)
    u0w = u0 % width
    u1w = (u0 + 1) % width
    top = earth[v0c, u0w] * (1 - fu) + earth[v0c, u1w] * fu
    bottom = earth[v1c, u0w] * (1 - fu) + earth[v1c, u1w] * fu
    return top * (1 - fv) + bottom * fv


def render_view(earth, lon0, lat0, width=VIEW_WIDTH_PX, height=VIEW_HEIGHT_PX,
                supersampling=SUPERSAMPLING):
    """One orthographic view as an RGB array (height x width x 3)."""
    units_per_px = PICTURE_HEIGHT_UNITS / height
    result = np.zeros((height, width, 3))
    offsets = (np.arange(supersampling) + 0.5) / supersampling
    cols = np.arange(width)[None, :]
    rows = np.arange(height)[:, None]
    for dy in offsets:
        for dx in offsets:
            x = ((cols + dx) - width / 2) * units_per_px / GLOBE_RADIUS_UNITS
            y = (height / 2 - (rows + dy)) * units_per_px / GLOBE_RADIUS_UNITS
            x, y = np.broadcast_arrays(x, y)
            lon, lat = inverse_orthographic(x, y, lon0, lat0)
            on_globe = ~np.isnan(lon)
            colour = np.zeros((height, width, 3))
            colour[on_globe] = sample_equirectangular(earth, lon[on_globe], lat[on_globe])
            result += colour
    return np.clip(np.rint(result / supersampling ** 2), 0, 255).astype(np.uint8)


def generate(output_dir):
    shutil.copyfile(EARTH_PATH, f"{output_dir}/MapEarth.dat")
    earth = np.asarray(Image.open(EARTH_PATH).convert("RGB"), dtype=np.float64)
    for name, (lon0, lat0) in VIEWS.items():
        picture = Image.fromarray(render_view(earth, lon0, lat0), "RGB")
        picture.save(f"{output_dir}/{name}", format="JPEG", quality=JPEG_QUALITY, optimize=True)
    return {"views": len(VIEWS), "size": f"{VIEW_WIDTH_PX}x{VIEW_HEIGHT_PX}"}
