#include "services/DrawingSurface.h"
#include "services/mGlobal.h"

#include <cmath>

namespace mGlobal {

void Disegna_sfumatura(DrawingSurface& surface, const QColor& colour1, const QColor& colour2,
                       double centreX, double centreY, double radius, double aspect, int steps)
{
    if (steps <= 0)
        return;
    const int r1 = colour1.red();
    const int g1 = colour1.green();
    const int b1 = colour1.blue();
    const int dr = colour2.red() - r1;
    const int dg = colour2.green() - g1;
    const int db = colour2.blue() - b1;
    const double step = radius / steps;

    const QColor savedFill = surface.FillColor();
    const drawing::FillStyle savedStyle = surface.FillStyle();
    surface.setFillStyle(drawing::FillStyle::Solid);
    double current = radius;
    for (int i = 0; i < steps; ++i) {
        // Integer division truncating toward zero: the innermost disc stops one step short of
        // colour2.
        const QColor colour(r1 + dr * i / steps, g1 + dg * i / steps, b1 + db * i / steps);
        surface.setFillColor(colour);
        surface.Circle(centreX, centreY, current, colour, aspect);
        current -= step;
    }
    surface.setFillColor(savedFill);
    surface.setFillStyle(savedStyle);
}

void Disegna_freccia(DrawingSurface& surface, double x1, double y1, double x2, double y2,
                     double size, bool headAtEnd, int count, double spacing)
{
    surface.Line(x1, y1, x2, y2);
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    const double length = std::hypot(dx, dy);
    // Guard: coinciding points have no direction; the chevrons would be NaN.
    if (length == 0.0 || !std::isfinite(length))
        return;
    const double ux = dx / length;
    const double uy = dy / length;
    const double sx = count > 1 ? ux * spacing : 0.0;
    const double sy = count > 1 ? uy * spacing : 0.0;
    const double wings[2][2] = {{size * (-ux - uy), size * (ux - uy)},
                                {size * (uy - ux), size * (-ux - uy)}};
    for (const auto& wing : wings) {
        if (headAtEnd)
            surface.Line(x2, y2, x2 + wing[0], y2 + wing[1]);
        for (int k = 0; k < count; ++k) {
            const double bx = x1 + k * sx;
            const double by = y1 + k * sy;
            surface.Line(bx, by, bx + wing[0], by + wing[1]);
        }
    }
}

} // namespace mGlobal
