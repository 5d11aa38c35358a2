#include "dialogs/GlobePicture.h"

#include <QColor>

#include <cmath>
#include <numbers>

namespace {

constexpr double kDegToRad = std::numbers::pi / 180.0;
const QColor kOceanBlue(30, 60, 140);

} // namespace

QImage renderGlobe(const QImage& earth, double centreLatitudeDeg, double centreLongitudeDeg,
                   int sizePx)
{
    QImage globe(sizePx, sizePx, QImage::Format_ARGB32);
    globe.fill(Qt::transparent);
    const QImage source = earth.convertToFormat(QImage::Format_RGB32);
    const double phi0 = centreLatitudeDeg * kDegToRad;
    const double lambda0 = centreLongitudeDeg * kDegToRad;
    for (int py = 0; py < sizePx; ++py) {
        for (int px = 0; px < sizePx; ++px) {
            // Pixel centre in the unit disc, y up.
            const double x = 2.0 * (px + 0.5) / sizePx - 1.0;
            const double y = 1.0 - 2.0 * (py + 0.5) / sizePx;
            const double rho = std::hypot(x, y);
            if (rho > 1.0)
                continue;
            if (source.isNull()) {
                globe.setPixelColor(px, py, kOceanBlue);
                continue;
            }
            // Inverse orthographic projection (Snyder, Map Projections - A Working Manual,
            // eqs. 20-14 and 20-15).
            const double c = std::asin(rho);
            const double latitude = rho == 0 ? phi0
                                             : std::asin(std::cos(c) * std::sin(phi0) +
                                                         y * std::sin(c) * std::cos(phi0) / rho);
            const double longitude =
                lambda0 + std::atan2(x * std::sin(c), rho * std::cos(c) * std::cos(phi0) -
                                                          y * std::sin(c) * std::sin(phi0));
            double u = (longitude / kDegToRad + 180.0) / 360.0;
            u -= std::floor(u);
            const double v = (90.0 - latitude / kDegToRad) / 180.0;
            const int sx = std::min(source.width() - 1, static_cast<int>(u * source.width()));
            const int sy =
                std::clamp(static_cast<int>(v * source.height()), 0, source.height() - 1);
            globe.setPixel(px, py, source.pixel(sx, sy));
        }
    }
    return globe;
}
