#include "predictions/frmPlanets.h"

#include "predictions/PlanetsTableTexts.h"

#include "common/catalogues.h"
#include "controls/GraphButton/GraphButton.h"
#include "services/Help.h"
#include "services/ProgramFolder.h"
#include "services/mLang.h"
#include "tracking/TrackingModel.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

constexpr int kHelpContext = 180;

// Grid columns of the table.
enum Column { Name, Ra, Dec, Az, Alt, Dist, Light, Mag, ColumnCount };

QLabel* namedLabel(QWidget* parent, const QString& name, Qt::Alignment alignment)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setAlignment(alignment | Qt::AlignVCenter);
    return label;
}

QLabel* rowLabel(QWidget* parent, const char* prefix, int row)
{
    return namedLabel(parent, QString::fromLatin1(prefix) + QString::number(row), Qt::AlignRight);
}

void setText(QLabel* label, const QString& text)
{
    if (label->text() != text)
        label->setText(text);
}

} // namespace

frmPlanets::frmPlanets(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("frmPlanets"));
    buildControls();
    Imposta_lingua();
    connect(cmdOK, &GraphButton::Click, this, &frmPlanets::cmdOK_Click);
    connect(cmdHelp, &GraphButton::Click, this, &frmPlanets::cmdHelp_Click);
    // The tick recomputes the bodies before it publishes; the table follows every tick.
    connect(&TrackingModel::instance(), &TrackingModel::ticked, this, &frmPlanets::Aggiorna_dati);
    Aggiorna_dati();
}

void frmPlanets::buildControls()
{
    Frame1 = new QGroupBox(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    auto* grid = new QGridLayout(Frame1);
    grid->setHorizontalSpacing(14);

    const auto heading = [&](QLabel*& label, const char* name, int column) {
        label = namedLabel(Frame1, QString::fromLatin1(name),
                           column == Name ? Qt::AlignLeft : Qt::AlignRight);
        QFont bold = label->font();
        bold.setBold(true);
        label->setFont(bold);
        grid->addWidget(label, 0, column);
    };
    heading(lblPianeta, "lblPianeta", Name);
    heading(lblAscensioneRetta, "lblAscensioneRetta", Ra);
    heading(lblDeclinazione, "lblDeclinazione", Dec);
    heading(lblAzimuth, "lblAzimuth", Az);
    heading(lblAltezza, "lblAltezza", Alt);
    heading(lblDistaUA, "lblDistaUA", Dist);
    heading(lblDistaLuce, "lblDistaLuce", Light);
    heading(lblMagnitudine, "lblMagnitudine", Mag);

    static constexpr std::array<const char*, kRows> kNames{
        "lblMercurio", "lblVenere", "lblMarte", "lblGiove", "lblSaturno",
        "lblUrano",    "lblNettuno", "lblSole", "lblLuna"};
    for (int row = 0; row < kRows; ++row) {
        const auto i = static_cast<std::size_t>(row);
        // The Sun's and the Moon's rows sit under a heading of their own (km).
        const int gridRow = row < kPlanets ? row + 1 : row + 2;
        nameLabels[i] = namedLabel(Frame1, QString::fromLatin1(kNames[i]), Qt::AlignLeft);
        lblRa[i] = rowLabel(Frame1, "lblRa", row);
        lblDec[i] = rowLabel(Frame1, "lblDec", row);
        lblAz[i] = rowLabel(Frame1, "lblAz", row);
        lblAlt[i] = rowLabel(Frame1, "lblAlt", row);
        lblLight[i] = rowLabel(Frame1, "lblLight", row);
        grid->addWidget(nameLabels[i], gridRow, Name);
        grid->addWidget(lblRa[i], gridRow, Ra);
        grid->addWidget(lblDec[i], gridRow, Dec);
        grid->addWidget(lblAz[i], gridRow, Az);
        grid->addWidget(lblAlt[i], gridRow, Alt);
        grid->addWidget(lblLight[i], gridRow, Light);
        if (row < kPlanets) {
            lblDist[i] = rowLabel(Frame1, "lblDist", row);
            lblMag[i] = rowLabel(Frame1, "lblMag", row);
            grid->addWidget(lblDist[i], gridRow, Dist);
            grid->addWidget(lblMag[i], gridRow, Mag);
        }
    }
    lblDistaKm = namedLabel(Frame1, QStringLiteral("lblDistaKm"), Qt::AlignRight);
    QFont bold = lblDistaKm->font();
    bold.setBold(true);
    lblDistaKm->setFont(bold);
    grid->addWidget(lblDistaKm, kPlanets + 1, Dist);
    lblDistSun = namedLabel(Frame1, QStringLiteral("lblDistSun"), Qt::AlignRight);
    lblDistMoon = namedLabel(Frame1, QStringLiteral("lblDistMoon"), Qt::AlignRight);
    grid->addWidget(lblDistSun, kPlanets + 2, Dist);
    grid->addWidget(lblDistMoon, kPlanets + 3, Dist);

    cmdOK = new GraphButton(this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdHelp = new GraphButton(this);
    cmdHelp->setObjectName(QStringLiteral("cmdHelp"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdHelp);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Frame1);
    layout->addLayout(buttons);
}

void frmPlanets::Imposta_lingua()
{
    const auto own = [](QStringView key) { return mLang::Testo_lingua(u"frmPlanets", key); };
    setWindowTitle(own(u"effemeridipianeti"));
    lblPianeta->setText(own(u"pianeta"));
    static constexpr std::array<const char16_t*, kRows> kBodyKeys{
        u"mercurio", u"venere", u"marte", u"giove", u"saturno",
        u"urano",    u"nettuno", u"sole", u"luna"};
    for (std::size_t i = 0; i < nameLabels.size(); ++i)
        nameLabels[i]->setText(mLang::Testo_lingua(u"Planets", QStringView(kBodyKeys[i])));

    const auto shared = [](QLabel* label, QStringView section, QStringView key) {
        label->setText(mLang::Testo_lingua(section, key));
        label->setToolTip(mLang::Testo_lingua(u"ToolTips", key));
    };
    shared(lblAltezza, u"Def", u"alt");
    shared(lblAzimuth, u"Def", u"az");
    shared(lblAscensioneRetta, u"Def", u"ar");
    shared(lblDeclinazione, u"Def", u"dec");
    shared(lblMagnitudine, u"Def", u"mag");
    shared(lblDistaUA, u"frmPlanets", u"distua");
    shared(lblDistaLuce, u"frmPlanets", u"distluce");
    shared(lblDistaKm, u"frmPlanets", u"distkm");
    cmdOK->setCaption(mLang::Testo_lingua(u"Buttons", u"ok"));
    cmdHelp->setCaption(mLang::Testo_lingua(u"Buttons", u"help"));
}

void frmPlanets::Aggiorna_dati()
{
    for (int row = 0; row < kRows; ++row) {
        const auto i = static_cast<std::size_t>(row);
        const int body = row + 1;
        const planets::PlanetRow texts =
            planets::planetRow(body, Corpi_celesti[static_cast<std::size_t>(body)]);
        setText(lblRa[i], texts.rightAscension);
        setText(lblDec[i], texts.declination);
        setText(lblAz[i], texts.azimuth);
        setText(lblAlt[i], texts.altitude);
        QPalette palette = lblAlt[i]->palette();
        if (palette.color(QPalette::WindowText) != texts.altitudeColour) {
            palette.setColor(QPalette::WindowText, texts.altitudeColour);
            lblAlt[i]->setPalette(palette);
        }
        setText(lblLight[i], texts.lightTime);
        if (row < kPlanets) {
            setText(lblDist[i], texts.distance);
            setText(lblMag[i], texts.magnitude);
        } else {
            setText(body == kSole ? lblDistSun : lblDistMoon, texts.distance);
        }
    }
}

void frmPlanets::cmdOK_Click()
{
    close();
}

void frmPlanets::cmdHelp_Click()
{
    showHelp(this, dataFilePath(mLang::Testo_lingua(u"Help", u"file")), HelpCommand::Context,
             kHelpContext, mLang::Testo_lingua(u"MDIForm1", u"nofilehelp"));
}
