#include "predictions/frmRiseSet.h"

#include "predictions/AlmanacDay.h"
#include "skycharts/SkyLayers.h"

#include "common/catalogues.h"
#include "common/options.h"
#include "common/program_time.h"
#include "controls/DateTimeField/DateTimeField.h"
#include "controls/GraphButton/GraphButton.h"
#include "core/DateValue.h"
#include "core/mAstro.h"
#include "services/DisplayFormat.h"
#include "services/Help.h"
#include "services/PaintDeviceSurface.h"
#include "services/ProgramFolder.h"
#include "services/mLang.h"
#include "tracking/TrackingModel.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QStringList>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kHelpContext = 200;
constexpr int kPictureSide = 72;
constexpr int kStepButtonWidth = 34;
/// The least width of a time or azimuth label [pixels], so that the columns do not jump.
constexpr int kLeastValueWidth = 60;

QString text(QStringView key)
{
    return mLang::Testo_lingua(u"frmRiseSet", key);
}

template <class Widget> Widget* named(Widget* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QLabel* picture(QWidget* parent, const char* name)
{
    auto* label = named(new QLabel(parent), name);
    label->setFixedSize(kPictureSide, kPictureSide);
    return label;
}

/// The Sun's picture of the Sun block: a yellow disc with eight rays.
QPixmap sunPicture(const QColor& background)
{
    QImage image(kPictureSide, kPictureSide, QImage::Format_RGB32);
    image.fill(background);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(kPictureSide / 2.0, kPictureSide / 2.0);
    const double radius = kPictureSide / 5.0;
    const QColor yellow(255, 200, 0);
    painter.setPen(QPen(yellow, 3));
    for (int ray = 0; ray < 8; ++ray) {
        const double angle = ray * M_PI / 4.0;
        const QPointF direction(std::cos(angle), std::sin(angle));
        painter.drawLine(centre + direction * radius * 1.3, centre + direction * radius * 2.1);
    }
    painter.setPen(QPen(QColor(200, 120, 0), 1));
    painter.setBrush(yellow);
    painter.drawEllipse(centre, radius, radius);
    return QPixmap::fromImage(image);
}

/// Makes `label` at least as wide as the widest of `texts` on one line, so that no day's text is
/// cut, whatever the day the window was sized for.
void holdWidest(QLabel* label, const QStringList& texts)
{
    const QFontMetrics metrics = label->fontMetrics();
    int widest = kLeastValueWidth;
    for (const QString& shown : texts)
        widest = std::max(widest, metrics.size(Qt::TextSingleLine, shown).width());
    const QMargins margins = label->contentsMargins();
    label->setMinimumWidth(widest + margins.left() + margins.right() + 2 * label->margin());
}

/// One event into its two labels and the azimuth caption beside them.
void showEventTexts(const almanac::EventTexts& event, QLabel* time, QLabel* azimuth, QLabel* caption)
{
    time->setText(event.time);
    azimuth->setText(event.azimuth);
    caption->setVisible(event.azimuthShown);
}

QDateTime pickerValue(double date)
{
    const DateValue::Parts p = DateValue::split(date);
    // Shown as it stands: the program's time is the observer's, not the computer's zone.
    return QDateTime(QDate(p.year, p.month, p.day), QTime(p.hour, p.minute, p.second), Qt::UTC);
}

} // namespace

frmRiseSet::frmRiseSet(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("frmRiseSet"));
    buildControls();
    Imposta_testi();
    picSole->setPixmap(sunPicture(palette().color(QPalette::Window)));
    setPickedDate(Data_attuale);
    connectControls();
}

void frmRiseSet::buildControls()
{
    DTPicker1 = named(new DateTimeField(this), "DTPicker1");
    DTPicker1->setTimeSpec(Qt::UTC);
    DTPicker1->setDisplayFormat(QStringLiteral("ddd dd MMM yyyy"));
    const auto stepButton = [this](GraphButton*& button, const char* name, const QString& caption) {
        button = named(new GraphButton(this), name);
        button->setCaption(caption);
        button->setFixedWidth(std::max(kStepButtonWidth, button->wholeCaptionSize(caption).width()));
    };
    stepButton(cmdMesePrima, "cmdMesePrima", QStringLiteral("<<"));
    stepButton(cmdGiornoPrima, "cmdGiornoPrima", QStringLiteral("<"));
    stepButton(cmdGiornoDopo, "cmdGiornoDopo", QStringLiteral(">"));
    stepButton(cmdMeseDopo, "cmdMeseDopo", QStringLiteral(">>"));
    auto* dateRow = new QHBoxLayout;
    dateRow->addWidget(cmdMesePrima);
    dateRow->addWidget(cmdGiornoPrima);
    dateRow->addWidget(DTPicker1, 1);
    dateRow->addWidget(cmdGiornoDopo);
    dateRow->addWidget(cmdMeseDopo);

    // One block per body: picture, heading, then rise and set with their azimuths.
    const auto block = [this](QGroupBox*& frame, const char* frameName, QLabel*& heading,
                              const char* headingName, QLabel*& pic, const char* picName, int n,
                              QLabel*& rise, const char* riseName, QLabel*& riseAz,
                              const char* riseAzName, QLabel*& set, const char* setName,
                              QLabel*& setAz, const char* setAzName) {
        frame = named(new QGroupBox(this), frameName);
        auto* grid = new QGridLayout(frame);
        pic = picture(frame, picName);
        heading = named(new QLabel(frame), headingName);
        QFont bold = heading->font();
        bold.setBold(true);
        heading->setFont(bold);
        const auto i = static_cast<std::size_t>(n);
        lblSorge[i] = named(new QLabel(frame), "lblSorge");
        lblTramonta[i] = named(new QLabel(frame), "lblTramonta");
        lblAzimuth[2 * i] = named(new QLabel(frame), "lblAzimuth");
        lblAzimuth[2 * i + 1] = named(new QLabel(frame), "lblAzimuth");
        // A day without the event hides its azimuth caption but keeps its room: the window
        // keeps one size from day to day, and the step buttons stay under the pointer.
        for (QLabel* caption : {lblAzimuth[2 * i], lblAzimuth[2 * i + 1]}) {
            QSizePolicy policy = caption->sizePolicy();
            policy.setRetainSizeWhenHidden(true);
            caption->setSizePolicy(policy);
        }
        rise = named(new QLabel(frame), riseName);
        riseAz = named(new QLabel(frame), riseAzName);
        set = named(new QLabel(frame), setName);
        setAz = named(new QLabel(frame), setAzName);
        grid->addWidget(pic, 0, 0, 3, 1);
        grid->addWidget(heading, 0, 1, 1, 4);
        grid->addWidget(lblSorge[i], 1, 1);
        grid->addWidget(rise, 1, 2);
        grid->addWidget(lblAzimuth[2 * i], 1, 3);
        grid->addWidget(riseAz, 1, 4);
        grid->addWidget(lblTramonta[i], 2, 1);
        grid->addWidget(set, 2, 2);
        grid->addWidget(lblAzimuth[2 * i + 1], 2, 3);
        grid->addWidget(setAz, 2, 4);
        grid->setColumnStretch(2, 1);
    };
    block(fraSole, "fraSole", lblSole, "lblSole", picSole, "picSole", 0, lblSunRise, "lblSunRise",
          lblSunRiseAz, "lblSunRiseAz", lblSunSet, "lblSunSet", lblSunSetAz, "lblSunSetAz");
    block(fraLuna, "fraLuna", lblLuna, "lblLuna", picLuna, "picLuna", 1, lblMoonRise,
          "lblMoonRise", lblMoonRiseAz, "lblMoonRiseAz", lblMoonSet, "lblMoonSet", lblMoonSetAz,
          "lblMoonSetAz");

    cmdOK = named(new GraphButton(this), "cmdOK");
    cmdHelp = named(new GraphButton(this), "cmdHelp");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdHelp);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(dateRow);
    layout->addWidget(fraSole);
    layout->addWidget(fraLuna);
    layout->addLayout(buttons);
}

void frmRiseSet::connectControls()
{
    connect(DTPicker1, &QDateTimeEdit::dateTimeChanged, this, [this] { Calcola_almanacco(); });
    connect(cmdMesePrima, &GraphButton::Click, this, &frmRiseSet::cmdMesePrima_Click);
    connect(cmdMeseDopo, &GraphButton::Click, this, &frmRiseSet::cmdMeseDopo_Click);
    connect(cmdGiornoPrima, &GraphButton::Click, this, &frmRiseSet::cmdGiornoPrima_Click);
    connect(cmdGiornoDopo, &GraphButton::Click, this, &frmRiseSet::cmdGiornoDopo_Click);
    connect(cmdOK, &GraphButton::Click, this, &QWidget::close);
    connect(cmdHelp, &GraphButton::Click, this, &frmRiseSet::cmdHelp_Click);
    // A new location gives other times for the same date.
    connect(&TrackingModel::instance(), &TrackingModel::observerChanged, this,
            [this] { Calcola_almanacco(); });
}

void frmRiseSet::Imposta_testi()
{
    setWindowTitle(text(u"almanacco"));
    lblSole->setText(mLang::Testo_lingua(u"Planets", u"sole"));
    lblLuna->setText(mLang::Testo_lingua(u"Planets", u"luna"));
    for (QLabel* label : lblSorge)
        label->setText(text(u"sorge"));
    for (QLabel* label : lblTramonta)
        label->setText(text(u"tramonta"));
    for (QLabel* label : lblAzimuth)
        label->setText(text(u"azimuth"));
    cmdMesePrima->setToolTip(text(u"meseprima"));
    cmdMeseDopo->setToolTip(text(u"mesedopo"));
    cmdGiornoPrima->setToolTip(text(u"giornoprima"));
    cmdGiornoDopo->setToolTip(text(u"giornodopo"));
    // A time label shows a time or any of the day's status words; an azimuth label an azimuth.
    QStringList times{formatNumber(0, u"00") + u':' + formatNumber(0, u"00")};
    for (const mAstro::RiseSetStatus status :
         {mAstro::RiseSetStatus::NoRise, mAstro::RiseSetStatus::NoSet,
          mAstro::RiseSetStatus::AlwaysAbove, mAstro::RiseSetStatus::AlwaysBelow})
        times.append(text(almanac::statusKey(status)));
    for (QLabel* event : {lblSunRise, lblSunSet, lblMoonRise, lblMoonSet})
        holdWidest(event, times);
    const QStringList azimuths{formatNumber(0, u"000.0") + u'\u00b0'};
    for (QLabel* event : {lblSunRiseAz, lblSunSetAz, lblMoonRiseAz, lblMoonSetAz})
        holdWidest(event, azimuths);
    cmdOK->setCaption(mLang::Testo_lingua(u"Buttons", u"ok"));
    cmdHelp->setCaption(mLang::Testo_lingua(u"Buttons", u"help"));
}

double frmRiseSet::pickedDate() const
{
    const QDateTime value = DTPicker1->dateTime();
    return DateValue::fromDateTime(value.date().year(), value.date().month(), value.date().day(),
                                   value.time().hour(), value.time().minute(),
                                   value.time().second());
}

void frmRiseSet::setPickedDate(double date)
{
    {
        const QSignalBlocker quiet(DTPicker1);
        DTPicker1->setDateTime(pickerValue(date));
    }
    Calcola_almanacco();
}

void frmRiseSet::cmdMesePrima_Click()
{
    setPickedDate(almanac::stepMonths(pickedDate(), -1));
}

void frmRiseSet::cmdMeseDopo_Click()
{
    setPickedDate(almanac::stepMonths(pickedDate(), 1));
}

void frmRiseSet::cmdGiornoPrima_Click()
{
    setPickedDate(DateValue::addDays(pickedDate(), -1));
}

void frmRiseSet::cmdGiornoDopo_Click()
{
    setPickedDate(DateValue::addDays(pickedDate(), 1));
}

void frmRiseSet::Calcola_almanacco()
{
    const double date = pickedDate();
    const double zone = almanac::zoneWestHours(Osservatore);
    const double latitude = Osservatore.Latitudine_osservatore;
    const double longitude = Osservatore.Longitudine_osservatore;

    const mAstro::RiseSetDay sun = mAstro::Sorge_tramonta_sole(latitude, longitude, zone, date);
    const almanac::DayTexts sunTexts =
        almanac::dayTexts(sun, text(almanac::statusKey(sun.status)));
    showEventTexts(sunTexts.rise, lblSunRise, lblSunRiseAz, lblAzimuth[0]);
    showEventTexts(sunTexts.set, lblSunSet, lblSunSetAz, lblAzimuth[1]);

    const mAstro::RiseSetDay moon = mAstro::Sorge_tramonta_luna(latitude, longitude, zone, date);
    const almanac::DayTexts moonTexts =
        almanac::dayTexts(moon, text(almanac::statusKey(moon.status)));
    showEventTexts(moonTexts.rise, lblMoonRise, lblMoonRiseAz, lblAzimuth[2]);
    showEventTexts(moonTexts.set, lblMoonSet, lblMoonSetAz, lblAzimuth[3]);

    Disegna_luna(picLuna, date);
}

void frmRiseSet::Disegna_luna(QLabel* pic, double dataRichiesta)
{
    const double elongation = almanac::moonElongationAt(dataRichiesta, Osservatore,
                                                        Corpi_celesti[kSole], Corpi_celesti[kLuna]);
    const QSize size = pic->size().isEmpty() ? QSize(kPictureSide, kPictureSide) : pic->size();
    QImage image(size, QImage::Format_RGB32);
    image.fill(pic->palette().color(QPalette::Window));
    {
        PaintDeviceSurface surface(image);
        surface.Scale(0, 0, size.width(), size.height());
        skycharts::drawMoonPhase(surface, size.width() / 2.0, size.height() / 2.0,
                                 size.width() / 3.0, elongation);
    }
    pic->setPixmap(QPixmap::fromImage(image));
}

void frmRiseSet::cmdHelp_Click()
{
    showHelp(this, dataFilePath(mLang::Testo_lingua(u"Help", u"file")), HelpCommand::Context,
             kHelpContext, mLang::Testo_lingua(u"MDIForm1", u"nofilehelp"));
}
