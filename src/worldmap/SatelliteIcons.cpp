#include "worldmap/SatelliteIcons.h"

#include <QPainter>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>

namespace worldmap {

namespace {

bool containsIgnoringCase(const std::string& text, const std::string& part)
{
    const auto same = [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    };
    return std::search(text.begin(), text.end(), part.begin(), part.end(), same) != text.end();
}

QImage blankPicture(int size)
{
    QImage picture(size, size, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    return picture;
}

/// A body between two solar panels, the panels `span` pixels wide in all.
QImage panelSatellite(int size, const QColor& body, const QColor& panels, double span)
{
    QImage picture = blankPicture(size);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const double c = size / 2.0;
    painter.setPen(QPen(QColor(20, 20, 20), 1));
    painter.setBrush(panels);
    painter.drawRect(QRectF(c - span / 2, c - size * 0.14, span * 0.34, size * 0.28));
    painter.drawRect(QRectF(c + span / 2 - span * 0.34, c - size * 0.14, span * 0.34, size * 0.28));
    painter.setBrush(body);
    painter.drawEllipse(QPointF(c, c), size * 0.17, size * 0.17);
    return picture;
}

QImage hubble(int size)
{
    QImage picture = blankPicture(size);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const double c = size / 2.0;
    painter.setPen(QPen(QColor(20, 20, 20), 1));
    painter.setBrush(QColor(70, 110, 200));
    painter.drawRect(QRectF(c - size * 0.45, c - size * 0.38, size * 0.9, size * 0.16));
    painter.drawRect(QRectF(c - size * 0.45, c + size * 0.22, size * 0.9, size * 0.16));
    painter.setBrush(QColor(225, 225, 225));
    painter.drawRoundedRect(QRectF(c - size * 0.18, c - size * 0.3, size * 0.36, size * 0.6), 2, 2);
    return picture;
}

QImage rocketBody(int size)
{
    QImage picture = blankPicture(size);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const double c = size / 2.0;
    painter.setPen(QPen(QColor(20, 20, 20), 1));
    painter.setBrush(QColor(190, 190, 190));
    painter.translate(c, c);
    painter.rotate(45);
    painter.drawRoundedRect(QRectF(-size * 0.14, -size * 0.36, size * 0.28, size * 0.72), 2, 2);
    return picture;
}

QImage sun(int size)
{
    QImage picture = blankPicture(size);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const double c = size / 2.0;
    painter.setPen(QPen(QColor(255, 200, 0), 1.5));
    for (int ray = 0; ray < 8; ++ray) {
        const double a = ray * 3.14159265 / 4;
        painter.drawLine(QPointF(c + std::cos(a) * size * 0.3, c + std::sin(a) * size * 0.3),
                         QPointF(c + std::cos(a) * size * 0.48, c + std::sin(a) * size * 0.48));
    }
    painter.setPen(QPen(QColor(200, 120, 0), 1));
    painter.setBrush(QColor(255, 230, 40));
    painter.drawEllipse(QPointF(c, c), size * 0.24, size * 0.24);
    return picture;
}

QImage makeIcon(SatelliteIcon icon)
{
    switch (icon) {
    case SatelliteIcon::Hubble:
        return hubble(16);
    case SatelliteIcon::Station:
        return panelSatellite(20, QColor(240, 240, 240), QColor(230, 170, 40), 20);
    case SatelliteIcon::Principal:
        return panelSatellite(17, QColor(255, 60, 60), QColor(80, 130, 230), 17);
    case SatelliteIcon::RocketBody:
        return rocketBody(12);
    case SatelliteIcon::Ordinary:
        break;
    }
    return panelSatellite(13, QColor(255, 235, 80), QColor(80, 130, 230), 13);
}

} // namespace

SatelliteIcon iconFor(int slot, const std::string& catalogueNumber, const std::string& name)
{
    if (catalogueNumber == "20580")
        return SatelliteIcon::Hubble;
    if (catalogueNumber == "25544")
        return SatelliteIcon::Station;
    if (containsIgnoringCase(name, "tank") || containsIgnoringCase(name, "R/b"))
        return SatelliteIcon::RocketBody;
    return slot == 1 ? SatelliteIcon::Principal : SatelliteIcon::Ordinary;
}

const QImage& iconPicture(SatelliteIcon icon)
{
    static std::map<SatelliteIcon, QImage> pictures;
    auto found = pictures.find(icon);
    if (found == pictures.end())
        found = pictures.emplace(icon, makeIcon(icon)).first;
    return found->second;
}

const QImage& sunPicture()
{
    static const QImage picture = sun(22);
    return picture;
}

} // namespace worldmap
