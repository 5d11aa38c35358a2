#include "mainwindow/ToolbarIcons.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>
#include <functional>

namespace {

// Pictures are drawn on a 24 x 24 grid into pixmaps of twice that size, so they stay sharp on
// screens that scale by two.
constexpr int kGrid = 24;
constexpr int kScale = 2;
constexpr double kPi = 3.14159265358979;

const QColor kInk(40, 40, 48);
const QColor kSea(52, 120, 200);
const QColor kLand(70, 160, 80);
const QColor kNight(20, 28, 70);
const QColor kSun(250, 200, 40);
const QColor kPaper(250, 250, 244);
const QColor kFolder(230, 180, 70);
const QColor kRed(210, 50, 40);

using Painter = std::function<void(QPainter&)>;

QPen pen(const QColor& colour, double width = 1.5)
{
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void globe(QPainter& p, const QRectF& box)
{
    p.setPen(pen(kInk));
    p.setBrush(kSea);
    p.drawEllipse(box);
}

void openFolder(QPainter& p)
{
    p.setPen(pen(kInk));
    p.setBrush(kFolder.darker(115));
    p.drawPolygon(QPolygonF{{2, 5}, {9, 5}, {11, 7}, {21, 7}, {21, 19}, {2, 19}});
    p.setBrush(kFolder);
    p.drawPolygon(QPolygonF{{2, 19}, {5, 10}, {23, 10}, {20, 19}});
}

void floppy(QPainter& p)
{
    p.setPen(pen(kInk));
    p.setBrush(kSea);
    p.drawRoundedRect(QRectF(3, 3, 18, 18), 2, 2);
    p.setBrush(kPaper);
    p.drawRect(QRectF(7, 3, 10, 7));
    p.drawRect(QRectF(6, 13, 12, 8));
}

void locationPin(QPainter& p)
{
    QPainterPath pin;
    pin.moveTo(12, 22);
    pin.cubicTo(4, 13, 5, 3, 12, 3);
    pin.cubicTo(19, 3, 20, 13, 12, 22);
    p.setPen(pen(kInk));
    p.setBrush(kRed);
    p.drawPath(pin);
    p.setBrush(kPaper);
    p.drawEllipse(QPointF(12, 9.5), 3, 3);
}

void clockFace(QPainter& p)
{
    p.setPen(pen(kInk));
    p.setBrush(kPaper);
    p.drawEllipse(QPointF(12, 12), 9, 9);
    p.drawLine(QPointF(12, 12), QPointF(12, 6));
    p.drawLine(QPointF(12, 12), QPointF(16, 14));
}

void rectangularMap(QPainter& p)
{
    p.setPen(pen(kInk));
    p.setBrush(kSea);
    p.drawRect(QRectF(2, 5, 20, 14));
    p.setPen(Qt::NoPen);
    p.setBrush(kLand);
    p.drawEllipse(QRectF(4, 7, 6, 8));
    p.drawEllipse(QRectF(12, 8, 8, 5));
    p.drawEllipse(QRectF(15, 13, 4, 4));
}

void orthographicMap(QPainter& p)
{
    globe(p, QRectF(3, 3, 18, 18));
    p.setPen(Qt::NoPen);
    p.setBrush(kLand);
    p.drawEllipse(QRectF(7, 6, 7, 9));
    p.drawEllipse(QRectF(13, 13, 5, 4));
    p.setPen(pen(kInk, 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(8, 3, 8, 18));
    p.drawLine(QPointF(3, 12), QPointF(21, 12));
}

void grid(QPainter& p)
{
    rectangularMap(p);
    p.setPen(pen(kPaper, 1.0));
    for (double x = 7; x < 22; x += 5)
        p.drawLine(QPointF(x, 5), QPointF(x, 19));
    for (double y = 9.5; y < 19; y += 4.5)
        p.drawLine(QPointF(2, y), QPointF(22, y));
}

void terminator(QPainter& p)
{
    globe(p, QRectF(3, 3, 18, 18));
    p.setPen(Qt::NoPen);
    p.setBrush(kNight);
    p.drawChord(QRectF(3, 3, 18, 18), 90 * 16, 180 * 16);
    p.setPen(pen(kSun, 1.5));
    p.drawLine(QPointF(12, 3), QPointF(12, 21));
}

void nightShadow(QPainter& p)
{
    rectangularMap(p);
    QPainterPath shadow;
    shadow.moveTo(2, 5);
    for (double x = 2; x <= 22; x += 1)
        shadow.lineTo(x, 12 + 5 * std::sin((x - 2) / 20 * 2 * kPi));
    shadow.lineTo(22, 19);
    shadow.lineTo(2, 19);
    shadow.closeSubpath();
    QColor dark = kNight;
    dark.setAlpha(170);
    p.setPen(Qt::NoPen);
    p.setBrush(dark);
    p.drawPath(shadow);
}

void groundTrack(QPainter& p)
{
    rectangularMap(p);
    QPainterPath track;
    track.moveTo(2, 12);
    for (double x = 2; x <= 22; x += 1)
        track.lineTo(x, 12 - 5 * std::sin((x - 2) / 20 * 2 * kPi));
    p.setPen(pen(kSun, 1.8));
    p.setBrush(Qt::NoBrush);
    p.drawPath(track);
}

void skyDome(QPainter& p)
{
    p.setPen(pen(kInk));
    p.setBrush(kNight);
    p.drawEllipse(QRectF(2, 2, 20, 20));
    p.setPen(Qt::NoPen);
    p.setBrush(kPaper);
    for (const QPointF& star :
         {QPointF(8, 8), QPointF(15, 7), QPointF(12, 13), QPointF(17, 15), QPointF(7, 16)})
        p.drawEllipse(star, 1.1, 1.1);
}

void transit(QPainter& p)
{
    skyDome(p);
    p.setPen(pen(kSun, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(4, 7, 16, 18), 20 * 16, 140 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(kSun);
    p.drawEllipse(QPointF(12, 7.2), 1.8, 1.8);
}

void planet(QPainter& p)
{
    p.setPen(pen(kInk));
    p.setBrush(kFolder);
    p.drawEllipse(QPointF(12, 12), 6, 6);
    p.setBrush(Qt::NoBrush);
    p.setPen(pen(kInk, 1.3));
    p.drawEllipse(QRectF(2, 9.5, 20, 5));
    p.setPen(Qt::NoPen);
    p.setBrush(kFolder);
    p.drawChord(QRectF(6, 6, 12, 12), 20 * 16, 140 * 16);
}

void starChart(QPainter& p)
{
    p.setPen(pen(kInk));
    p.setBrush(kNight);
    p.drawRect(QRectF(2, 4, 20, 16));
    p.setPen(pen(kSea.lighter(140), 0.8));
    p.drawLine(QPointF(2, 12), QPointF(22, 12));
    p.drawLine(QPointF(12, 4), QPointF(12, 20));
    p.setPen(pen(kPaper, 1.0));
    p.drawPolyline(QPolygonF{{5, 8}, {9, 10}, {14, 7}, {18, 9}});
    p.setPen(Qt::NoPen);
    p.setBrush(kPaper);
    for (const QPointF& star : {QPointF(5, 8), QPointF(9, 10), QPointF(14, 7), QPointF(18, 9),
                                QPointF(7, 16), QPointF(17, 17)})
        p.drawEllipse(star, 1.0, 1.0);
}

void database(QPainter& p)
{
    p.setPen(pen(kInk));
    p.setBrush(kSea.lighter(130));
    p.drawRect(QRectF(5, 6, 14, 13));
    p.drawEllipse(QRectF(5, 16, 14, 5));
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(5.8, 6, 12.4, 12));
    p.setPen(pen(kInk));
    p.drawArc(QRectF(5, 11, 14, 5), 180 * 16, 180 * 16);
    p.drawEllipse(QRectF(5, 4, 14, 5));
}

void satellite(QPainter& p)
{
    p.setPen(pen(kInk));
    p.setBrush(kSea);
    p.drawRect(QRectF(1, 9, 7, 6));
    p.drawRect(QRectF(16, 9, 7, 6));
    p.setBrush(kFolder);
    p.drawRect(QRectF(9, 8, 6, 8));
    p.drawLine(QPointF(8, 12), QPointF(9, 12));
    p.drawLine(QPointF(15, 12), QPointF(16, 12));
}

void elements(QPainter& p)
{
    p.setPen(pen(kInk));
    p.setBrush(kPaper);
    p.drawRect(QRectF(4, 2, 16, 20));
    p.setPen(pen(kInk, 1.0));
    for (double y = 6; y < 20; y += 3)
        p.drawLine(QPointF(7, y), QPointF(17, y));
}

void ephemeris(QPainter& p)
{
    elements(p);
    p.setPen(pen(kRed, 1.8));
    p.drawLine(QPointF(13, 14), QPointF(21, 22));
    p.setPen(Qt::NoPen);
    p.setBrush(kRed);
    p.drawEllipse(QPointF(13, 14), 2.2, 2.2);
}

void relativeMotion(QPainter& p)
{
    p.setPen(pen(kInk, 1.2));
    p.drawLine(QPointF(6, 17), QPointF(17, 7));
    p.drawLine(QPointF(17, 7), QPointF(12, 8));
    p.drawLine(QPointF(17, 7), QPointF(16, 12));
    p.setPen(pen(kInk));
    p.setBrush(kSea);
    p.drawEllipse(QPointF(6, 17), 3.5, 3.5);
    p.setBrush(kFolder);
    p.drawEllipse(QPointF(18, 6), 3, 3);
}

void trackingTable(QPainter& p)
{
    p.setPen(pen(kInk));
    p.setBrush(kPaper);
    p.drawRect(QRectF(2, 4, 20, 16));
    p.setBrush(kSea);
    p.drawRect(QRectF(2, 4, 20, 4));
    p.setPen(pen(kInk, 0.9));
    p.drawLine(QPointF(9, 4), QPointF(9, 20));
    p.drawLine(QPointF(15.5, 4), QPointF(15.5, 20));
    p.drawLine(QPointF(2, 12), QPointF(22, 12));
    p.drawLine(QPointF(2, 16), QPointF(22, 16));
}

void findPasses(QPainter& p)
{
    p.setPen(pen(kInk, 2.0));
    p.setBrush(kPaper);
    p.drawEllipse(QPointF(10, 10), 6.5, 6.5);
    p.drawLine(QPointF(15, 15), QPointF(21, 21));
    p.setPen(pen(kSea, 1.3));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(5.5, 8, 9, 8), 20 * 16, 140 * 16);
}

void printer(QPainter& p)
{
    p.setPen(pen(kInk));
    p.setBrush(kPaper);
    p.drawRect(QRectF(6, 2, 12, 8));
    p.setBrush(QColor(150, 150, 160));
    p.drawRoundedRect(QRectF(2, 9, 20, 9), 2, 2);
    p.setBrush(kPaper);
    p.drawRect(QRectF(6, 14, 12, 8));
}

void download(QPainter& p)
{
    globe(p, QRectF(2, 2, 14, 14));
    p.setPen(pen(kRed, 2.2));
    p.drawLine(QPointF(17, 8), QPointF(17, 20));
    p.drawLine(QPointF(13, 16), QPointF(17, 20));
    p.drawLine(QPointF(21, 16), QPointF(17, 20));
}

void synchronise(QPainter& p)
{
    clockFace(p);
    p.setPen(pen(kRed, 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(1, 1, 22, 22), 30 * 16, 60 * 16);
    p.drawLine(QPointF(19.5, 5), QPointF(20.5, 8.5));
    p.drawLine(QPointF(19.5, 5), QPointF(16, 5.5));
}

void settings(QPainter& p)
{
    QPainterPath gear;
    constexpr int kTeeth = 8;
    for (int i = 0; i < 2 * kTeeth; ++i) {
        const double radius = i % 2 == 0 ? 10.0 : 7.5;
        for (const double step : {-0.18, 0.18}) {
            const double angle = (i + 0.5 + step) * kPi / kTeeth;
            const QPointF point(12 + radius * std::cos(angle), 12 + radius * std::sin(angle));
            if (gear.elementCount() == 0)
                gear.moveTo(point);
            else
                gear.lineTo(point);
        }
    }
    gear.closeSubpath();
    gear.addEllipse(QPointF(12, 12), 3, 3);
    p.setPen(pen(kInk));
    p.setBrush(QColor(160, 165, 175));
    p.drawPath(gear);
}

const QHash<QString, Painter>& painters()
{
    static const QHash<QString, Painter> byKey{
        {QStringLiteral("Open"), openFolder},      {QStringLiteral("Save"), floppy},
        {QStringLiteral("Location"), locationPin}, {QStringLiteral("Time"), clockFace},
        {QStringLiteral("Recta"), rectangularMap}, {QStringLiteral("Ortho"), orthographicMap},
        {QStringLiteral("Griglia"), grid},         {QStringLiteral("Terminatore"), terminator},
        {QStringLiteral("Ombra"), nightShadow},    {QStringLiteral("SatOrbit"), groundTrack},
        {QStringLiteral("LocalSky"), skyDome},     {QStringLiteral("Transit"), transit},
        {QStringLiteral("Planets"), planet},       {QStringLiteral("SkyMap"), starChart},
        {QStringLiteral("Satellite"), database},   {QStringLiteral("Elements"), satellite},
        {QStringLiteral("Calcolo"), ephemeris},    {QStringLiteral("Relativo"), relativeMotion},
        {QStringLiteral("Track"), trackingTable},  {QStringLiteral("Find"), findPasses},
        {QStringLiteral("Stampa"), printer},       {QStringLiteral("Rete"), download},
        {QStringLiteral("Sincro"), synchronise},   {QStringLiteral("Impostazioni"), settings},
    };
    return byKey;
}

} // namespace

QIcon toolbarIcon(const QString& key)
{
    const auto found = painters().find(key);
    if (found == painters().end())
        return {};
    QPixmap pixmap(kGrid * kScale, kGrid * kScale);
    pixmap.fill(Qt::transparent);
    {
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(kScale, kScale);
        (*found)(painter);
    }
    return QIcon(pixmap);
}

QIcon programIcon()
{
    static const QIcon icon = [] {
        QIcon made;
        for (const int side : {16, 24, 32, 48, 64, 128, 256}) {
            QPixmap pixmap(side, side);
            pixmap.fill(Qt::transparent);
            QPainter p(&pixmap);
            p.setRenderHint(QPainter::Antialiasing);
            p.scale(side / double(kGrid), side / double(kGrid));
            p.setPen(Qt::NoPen);
            p.setBrush(kNight);
            p.drawRoundedRect(QRectF(0.5, 0.5, 23, 23), 4, 4);
            globe(p, QRectF(6, 6, 12, 12));
            p.setPen(Qt::NoPen);
            p.setBrush(kLand);
            p.drawEllipse(QRectF(8.5, 8, 5, 4));
            p.drawEllipse(QRectF(11, 12.5, 4, 3.5));
            p.setBrush(Qt::NoBrush);
            p.setPen(pen(kSun, 1.2));
            p.save();
            p.translate(12, 12);
            p.rotate(-25);
            p.drawEllipse(QRectF(-10.5, -4.5, 21, 9));
            p.restore();
            p.setPen(pen(kInk, 0.8));
            p.setBrush(kPaper);
            p.drawEllipse(QPointF(19.5, 5.5), 2.2, 2.2);
            made.addPixmap(pixmap);
        }
        return made;
    }();
    return icon;
}
