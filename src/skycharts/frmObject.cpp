#include "skycharts/frmObject.h"

#include "skycharts/SkyChartGeometry.h"
#include "skycharts/SkyLayers.h"
#include "skycharts/SkyObjectTexts.h"

#include "common/catalogues.h"
#include "controls/GraphButton/GraphButton.h"
#include "core/mAstro.h"
#include "services/Help.h"
#include "services/PaintDeviceSurface.h"
#include "services/ProgramFolder.h"
#include "services/mLang.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QVBoxLayout>

namespace {

constexpr int kHelpContext = 130;
constexpr int kPictureSide = 64;

QString text(QStringView key)
{
    return mLang::Testo_lingua(u"frmObject", key);
}

QLabel* namedLabel(QWidget* parent, const QString& name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    return label;
}

} // namespace

frmObject::frmObject(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmObject"));
    setModal(true);

    auto* picture = new QGroupBox(this);
    picture->setObjectName(QStringLiteral("Frame3"));
    PicObject = namedLabel(picture, QStringLiteral("PicObject"));
    PicObject->setFixedSize(kPictureSide, kPictureSide);
    (new QVBoxLayout(picture))->addWidget(PicObject);

    auto* rows = new QGridLayout;
    const auto row = [&](int r, QLabel*& caption, const char* captionName, QLabel*& value,
                         const char* valueName) {
        caption = namedLabel(this, QString::fromLatin1(captionName));
        value = namedLabel(this, QString::fromLatin1(valueName));
        rows->addWidget(caption, r, 0);
        rows->addWidget(value, r, 1);
    };
    row(0, lblMagnitudine, "lblMagnitudine", lblMag, "lblMag");
    row(1, lblDiametro, "lblDiametro", lblSize, "lblSize");
    row(2, lblFase, "lblFase", lblPhase, "lblPhase");
    row(3, lblDistanza, "lblDistanza", lblDist, "lblDist");
    row(4, lblTempoLuce, "lblTempoLuce", lblLight, "lblLight");

    fraCoordinate = new QGroupBox(this);
    fraCoordinate->setObjectName(QStringLiteral("fraCoordinate"));
    auto* coordinates = new QGridLayout(fraCoordinate);
    const auto coordinate = [&](int r, QLabel*& caption, const char* captionName, QLabel*& value,
                                const char* valueName) {
        caption = namedLabel(fraCoordinate, QString::fromLatin1(captionName));
        value = namedLabel(fraCoordinate, QString::fromLatin1(valueName));
        coordinates->addWidget(caption, r, 0);
        coordinates->addWidget(value, r, 1);
    };
    coordinate(0, lblAscensioneRetta, "lblAscensioneRetta", lblRa, "lblRa");
    coordinate(1, lblDeclinazione, "lblDeclinazione", lblDec, "lblDec");
    coordinate(2, lblAzimuth, "lblAzimuth", lblAz, "lblAz");
    coordinate(3, lblAltezza, "lblAltezza", lblAlt, "lblAlt");

    cmdOK = new GraphButton(this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdHelp = new GraphButton(this);
    cmdHelp->setObjectName(QStringLiteral("cmdHelp"));

    auto* top = new QHBoxLayout;
    top->addWidget(picture);
    top->addLayout(rows, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdHelp);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(fraCoordinate);
    layout->addLayout(buttons);

    Applica_lingua();
    connectControls();
}

void frmObject::Applica_lingua()
{
    setWindowTitle(text(u"oggetto"));
    fraCoordinate->setTitle(text(u"coordinate"));
    lblMagnitudine->setText(text(u"magnitudine"));
    lblDiametro->setText(text(u"diametro"));
    lblFase->setText(text(u"fase"));
    lblDistanza->setText(text(u"distanza"));
    lblTempoLuce->setText(text(u"tempoluce"));
    lblAscensioneRetta->setText(text(u"ascensioneretta"));
    lblDeclinazione->setText(text(u"declinazione"));
    lblAzimuth->setText(text(u"azimuth"));
    lblAltezza->setText(text(u"altezza"));
    cmdOK->setCaption(mLang::Testo_lingua(u"Buttons", u"ok"));
    cmdHelp->setCaption(mLang::Testo_lingua(u"Buttons", u"help"));
}

void frmObject::connectControls()
{
    connect(cmdOK, &GraphButton::Click, this, &frmObject::cmdOK_Click);
    connect(cmdHelp, &GraphButton::Click, this, &frmObject::cmdHelp_Click);
}

void frmObject::cmdOK_Click()
{
    gintOggetto = 0;
    accept();
}

void frmObject::cmdHelp_Click()
{
    showHelp(this, dataFilePath(mLang::Testo_lingua(u"Help", u"file")), HelpCommand::Context,
             kHelpContext, mLang::Testo_lingua(u"MDIForm1", u"nofilehelp"));
}

void frmObject::paintEvent(QPaintEvent* event)
{
    Aggiorna_etichette();
    QDialog::paintEvent(event);
}

void frmObject::Aggiorna_etichette()
{
    skycharts::SkyObjectCaptions captions{text(u"costellazione"), text(u"lettera"),
                                          text(u"spettro"), text(u"magnitudine")};
    skycharts::SkyObjectTexts texts;
    if (gintOggetto == 0) {
        double azimuth = 0;
        double altitude = 0;
        mAstro::Calcola_azimut_altezza(Record_stella.Ascensione_retta, Record_stella.Declinazione,
                                       azimuth, altitude);
        texts = skycharts::starTexts(Record_stella, azimuth, altitude, captions);
    } else {
        const int index = std::clamp(gintOggetto, 1, kLuna);
        const Corpo_celeste& body = Corpi_celesti[static_cast<std::size_t>(index)];
        texts = skycharts::bodyTexts(index, body,
                                     mLang::Testo_lingua(u"Planets", QString::fromStdString(body.Nome)),
                                     captions);
    }
    const auto setIfChanged = [](QLabel* label, const QString& value) {
        if (label->text() != value)
            label->setText(value);
    };
    // Most catalogue stars have no proper name: the window's own title stays then, rather than
    // an empty one that the window system fills with the program's name.
    const QString title = texts.title.isEmpty() ? text(u"oggetto") : texts.title;
    if (windowTitle() != title)
        setWindowTitle(title);
    setIfChanged(lblMag, texts.magnitude);
    lblMagnitudine->setVisible(texts.magnitudeShown);
    lblMag->setVisible(texts.magnitudeShown);
    if (!texts.diameterCaption.isEmpty())
        setIfChanged(lblDiametro, texts.diameterCaption);
    setIfChanged(lblSize, texts.diameter);
    if (!texts.phaseCaption.isEmpty())
        setIfChanged(lblFase, texts.phaseCaption);
    setIfChanged(lblPhase, texts.phase);
    if (!texts.distanceCaption.isEmpty())
        setIfChanged(lblDistanza, texts.distanceCaption);
    setIfChanged(lblDist, texts.distance);
    if (!texts.lightTimeCaption.isEmpty())
        setIfChanged(lblTempoLuce, texts.lightTimeCaption.trimmed());
    setIfChanged(lblLight, texts.lightTime);
    setIfChanged(lblRa, texts.rightAscension);
    setIfChanged(lblDec, texts.declination);
    setIfChanged(lblAz, texts.azimuth);
    setIfChanged(lblAlt, texts.altitude);
    showPicture();
}

void frmObject::showPicture()
{
    QImage picture(kPictureSide, kPictureSide, QImage::Format_RGB32);
    picture.fill(Qt::black);
    {
        PaintDeviceSurface surface(picture);
        surface.Scale(0, 0, kPictureSide, kPictureSide);
        const double centre = kPictureSide / 2.0;
        const double radius = kPictureSide / 3.0;
        if (gintOggetto == kLuna) {
            skycharts::drawMoonPhase(surface, centre, centre, radius,
                                     Corpi_celesti[kLuna].Frazione_illuminata);
        } else {
            // A star white, the Sun yellow, a planet in a pale tint.
            const QColor colour = gintOggetto == 0       ? QColor(Qt::white)
                                  : gintOggetto == kSole ? QColor(255, 255, 0)
                                                         : QColor(200, 180, 140);
            surface.setFillStyle(drawing::FillStyle::Solid);
            surface.setFillColor(colour);
            surface.Circle(centre, centre, gintOggetto == 0 ? radius / 3.0 : radius, colour);
        }
        surface.end();
    }
    PicObject->setPixmap(QPixmap::fromImage(picture));
}

void showSkyPick(QWidget& owner, const skycharts::SkyPick& pick,
                 const std::function<std::optional<Stella_catalogo>(int rank)>& readStarRecord,
                 QStringView languageSection)
{
    if (pick.kind == skycharts::SkyPick::Kind::Nothing)
        return;
    frmObject window(owner.window());
    if (pick.kind == skycharts::SkyPick::Kind::Star) {
        const std::optional<Stella_catalogo> star =
            readStarRecord ? readStarRecord(pick.index) : std::nullopt;
        // Guard: a catalogue that can no longer be read is told once; no window describes a
        // star from a record that was never read.
        if (!star) {
            QMessageBox::warning(&owner, QGuiApplication::applicationDisplayName(),
                                 mLang::Testo_lingua(languageSection, u"catalogononleggibile"));
            return;
        }
        Record_stella = *star;
        window.gintOggetto = 0;
    } else {
        window.gintOggetto = pick.index;
    }
    window.exec();
}
