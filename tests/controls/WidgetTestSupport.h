#pragma once
// Shared helpers of the control tests: an application object for the whole run (created by
// the global test environment in support/QtTestApplication.cpp) and pixel checks on rendered widgets.

#include <QColor>
#include <QImage>
#include <QWidget>

#include <cstdlib>
#include <string>

namespace controls_test {

/// The widget as it paints itself, one image pixel per widget pixel.
inline QImage rendered(QWidget& widget)
{
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

/// Colours within tolerance per channel: antialiased edges blend a little with their
/// neighbours, solid areas match exactly.
inline bool nearColour(const QColor& a, const QColor& b, int tolerance)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance
           && std::abs(a.blue() - b.blue()) <= tolerance;
}

/// A colour as "#rrggbb", for comparing what was painted with what was meant: palette
/// colours and image pixels may hold the same colour in different colour models.
inline std::string hex(const QColor& colour)
{
    return colour.name().toStdString();
}

} // namespace controls_test
