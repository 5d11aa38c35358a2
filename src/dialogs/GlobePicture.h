#pragma once
// The small globes of the location dialog: orthographic views of the Earth drawn from the
// rectangular world picture (MapEarth.dat), centred on 15 degrees north and on the centre
// longitude of the place's band.

#include <QImage>

/// An orthographic view of `earth` (an equirectangular picture, longitude -180 at its left
/// edge, latitude +90 at its top) centred on the given point, filling a disc of `sizePx`
/// pixels square; outside the disc the picture is transparent. A null `earth` gives a plain
/// blue disc.
[[nodiscard]] QImage renderGlobe(const QImage& earth, double centreLatitudeDeg,
                                 double centreLongitudeDeg, int sizePx);
