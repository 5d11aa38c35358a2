#include "dialogs/frmLocation.h"

#include "common/options.h"
#include "common/program_time.h"
#include "controls/GraphButton/GraphButton.h"
#include "core/mAstro.h"
#include "dialogs/GlobePicture.h"
#include "dialogs/LocationRules.h"
#include "dialogs/frmAddLocation.h"
#include "services/BusyCursor.h"
#include "services/DisplayFormat.h"
#include "services/Help.h"
#include "services/PictureLoader.h"
#include "services/ProgramFolder.h"
#include "services/mGlobal.h"
#include "services/mLang.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QTimer>
#include <QPainter>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include <cmath>
#include <utility>

namespace {

constexpr int kHelpContext = 30;
// A height in metres with a sign and decimals ("-1234,56"); read to the whole metre.
constexpr int kHeightLength = 8;
constexpr int kGlobeSizePx = 100; // 1500 twips
constexpr int kGlobeMarkPx = 2;   // the drawing width of the place's mark
constexpr int kListWidthPx = 300;
constexpr int kListHeightPx = 300;
constexpr QStringView kLatitudePattern = u"#0.000#\u00B0";
constexpr QStringView kLongitudePattern = u"##0.000#\u00B0";
constexpr QStringView kHeightPattern = u"###0";

QString text(QStringView key)
{
    return mLang::Testo_lingua(u"frmLocation", key);
}

QString title()
{
    return QGuiApplication::applicationDisplayName();
}

template <class Widget> Widget* named(const char16_t* name, QWidget* parent)
{
    auto* widget = new Widget(parent);
    widget->setObjectName(QString::fromUtf16(name));
    return widget;
}

} // namespace

frmLocation::frmLocation(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("frmLocation"));
    buildControls();
    connectControls();
    Applica_lingua();
    Carica_citta();
    Mostra_osservatore();
}

void frmLocation::buildControls()
{
    // Made in the order Tab goes through them: the place first, the buttons last.
    QGroupBox* place = buildPlaceGroup();
    QGroupBox* coordinates = buildCoordinateGroup();
    QGroupBox* time = buildTimeGroup();
    cmdOK = named<GraphButton>(u"cmdOK", this);
    cmdOK->setDefault(true);
    cmdCancel = named<GraphButton>(u"cmdCancel", this);
    cmdCancel->setCancel(true);
    cmdHelp = named<GraphButton>(u"cmdHelp", this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    buttons->addWidget(cmdHelp);

    auto* right = new QVBoxLayout;
    right->addWidget(coordinates);
    right->addWidget(time);
    right->addStretch();
    auto* columns = new QHBoxLayout;
    columns->addWidget(place);
    columns->addLayout(right);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QGroupBox* frmLocation::buildPlaceGroup()
{
    fraLocalita = named<QGroupBox>(u"fraLocalita", this);
    lblCittaDisponibili = named<QLabel>(u"lblCittaDisponibili", fraLocalita);
    txtCity = named<QLineEdit>(u"txtCity", fraLocalita);
    cmbCity = named<QListWidget>(u"cmbCity", fraLocalita);
    cmbCity->setFixedSize(kListWidthPx, kListHeightPx);
    lblCity = named<QLabel>(u"lblCity", fraLocalita);
    cmdNuova = named<GraphButton>(u"cmdNuova", fraLocalita);
    cmdModifica = named<GraphButton>(u"cmdModifica", fraLocalita);
    cmdElimina = named<GraphButton>(u"cmdElimina", fraLocalita);
    auto* edits = new QHBoxLayout;
    edits->addWidget(cmdNuova);
    edits->addWidget(cmdModifica);
    edits->addWidget(cmdElimina);
    auto* layout = new QVBoxLayout(fraLocalita);
    layout->addWidget(lblCittaDisponibili);
    layout->addWidget(txtCity);
    layout->addWidget(cmbCity);
    layout->addWidget(lblCity);
    layout->addLayout(edits);
    return fraLocalita;
}

QGroupBox* frmLocation::buildCoordinateGroup()
{
    fraCoordinateGeografiche = named<QGroupBox>(u"fraCoordinateGeografiche", this);
    lblLat = named<QLabel>(u"lblLat", fraCoordinateGeografiche);
    lblLon = named<QLabel>(u"lblLon", fraCoordinateGeografiche);
    lblLatitude = named<QLabel>(u"lblLatitude", fraCoordinateGeografiche);
    lblLongitude = named<QLabel>(u"lblLongitude", fraCoordinateGeografiche);
    lblQuota = named<QLabel>(u"lblQuota", fraCoordinateGeografiche);
    txtHeight = named<QLineEdit>(u"txtHeight", fraCoordinateGeografiche);
    txtHeight->setMaxLength(kHeightLength);
    txtHeight->setAlignment(Qt::AlignRight);
    txtHeight->setFixedWidth(60);
    picGeo = named<QLabel>(u"picGeo", fraCoordinateGeografiche);
    picGeo->setFixedSize(kGlobeSizePx, kGlobeSizePx);
    auto* layout = new QGridLayout(fraCoordinateGeografiche);
    layout->addWidget(lblLat, 0, 0);
    layout->addWidget(lblLatitude, 0, 1, Qt::AlignRight);
    layout->addWidget(lblLon, 1, 0);
    layout->addWidget(lblLongitude, 1, 1, Qt::AlignRight);
    layout->addWidget(lblQuota, 2, 0);
    layout->addWidget(txtHeight, 2, 1, Qt::AlignRight);
    layout->addWidget(picGeo, 0, 2, 3, 1);
    layout->setColumnMinimumWidth(1, 80);
    return fraCoordinateGeografiche;
}

QGroupBox* frmLocation::buildTimeGroup()
{
    fraImpostazioneOra = named<QGroupBox>(u"fraImpostazioneOra", this);
    cmbOffset = named<QComboBox>(u"cmbOffset", fraImpostazioneOra);
    cmbOffsetHours = named<QComboBox>(u"cmbOffsetHours", fraImpostazioneOra);
    lblOre = named<QLabel>(u"lblOre", fraImpostazioneOra);
    cmbOffsetMin = named<QComboBox>(u"cmbOffsetMin", fraImpostazioneOra);
    for (const int minutes : location::kZoneMinutes)
        cmbOffsetMin->addItem(QString::number(minutes));
    lblMin = named<QLabel>(u"lblMin", fraImpostazioneOra);
    chkDaylight = named<QCheckBox>(u"chkDaylight", fraImpostazioneOra);
    cmdFusoOrario = named<QPushButton>(u"cmdFusoOrario", fraImpostazioneOra);
    auto* zone = new QHBoxLayout;
    zone->addWidget(cmbOffsetHours);
    zone->addWidget(lblOre);
    zone->addWidget(cmbOffsetMin);
    zone->addWidget(lblMin);
    zone->addStretch();
    auto* layout = new QVBoxLayout(fraImpostazioneOra);
    layout->addWidget(cmbOffset);
    layout->addLayout(zone);
    layout->addWidget(chkDaylight);
    layout->addWidget(cmdFusoOrario);
    return fraImpostazioneOra;
}

void frmLocation::connectControls()
{
    connect(cmbCity, &QListWidget::itemSelectionChanged, this, &frmLocation::cmbCity_Click);
    connect(cmbCity, &QListWidget::itemDoubleClicked, this, &frmLocation::cmdOk_Click);
    connect(txtCity, &QLineEdit::textEdited, this, &frmLocation::txtCity_TextEdited);
    connect(cmbOffset, &QComboBox::currentIndexChanged, this, &frmLocation::cmbOffset_Click);
    connect(cmdOK, &GraphButton::Click, this, &frmLocation::cmdOk_Click);
    connect(cmdCancel, &GraphButton::Click, this, &frmLocation::cmdCancel_Click);
    connect(cmdHelp, &GraphButton::Click, this, &frmLocation::cmdHelp_Click);
    connect(cmdNuova, &GraphButton::Click, this, &frmLocation::cmdNuova_Click);
    connect(cmdModifica, &GraphButton::Click, this, &frmLocation::cmdModifica_Click);
    connect(cmdElimina, &GraphButton::Click, this, &frmLocation::cmdElimina_Click);
    connect(cmdFusoOrario, &QPushButton::clicked, this, &frmLocation::cmdFusoOrario_Click);
    txtHeight->installEventFilter(this);
}

void frmLocation::Applica_lingua()
{
    setWindowTitle(text(u"localita"));
    fraLocalita->setTitle(text(u"localita"));
    lblCittaDisponibili->setText(text(u"cittadisponibili"));
    cmdNuova->setCaption(text(u"nuova"));
    cmdModifica->setCaption(text(u"modifica"));
    cmdElimina->setCaption(text(u"elimina"));
    fraCoordinateGeografiche->setTitle(text(u"coordinategeo"));
    lblLat->setText(mLang::Testo_lingua(u"Def", u"lat"));
    lblLon->setText(mLang::Testo_lingua(u"Def", u"lon"));
    lblLat->setToolTip(mLang::Testo_lingua(u"ToolTips", u"lat"));
    lblLon->setToolTip(mLang::Testo_lingua(u"ToolTips", u"lon"));
    lblQuota->setText(text(u"quota"));
    lblQuota->setToolTip(mLang::Testo_lingua(u"ToolTips", u"quota"));
    fraImpostazioneOra->setTitle(text(u"impostazioneora"));
    {
        const QSignalBlocker quiet(cmbOffset);
        cmbOffset->clear();
        cmbOffset->addItems({text(u"primadiGreenwich"), text(u"dopodiGreenwich")});
    }
    lblOre->setText(mLang::Testo_lingua(u"Def", u"ore"));
    lblMin->setText(mLang::Testo_lingua(u"Def", u"min"));
    chkDaylight->setText(text(u"oralegale"));
    cmdFusoOrario->setText(text(u"fusoorario"));
    cmdFusoOrario->setToolTip(text(u"mostrafusoorario"));
    cmdOK->setCaption(mLang::Testo_lingua(u"Buttons", u"ok"));
    cmdCancel->setCaption(mLang::Testo_lingua(u"Buttons", u"cancel"));
    cmdHelp->setCaption(mLang::Testo_lingua(u"Buttons", u"help"));
}

void frmLocation::Carica_citta()
{
    yieldToEvents();
    const CityReading reading = readCityFile(dataFilePath(QStringLiteral("cities.dat")));
    cmbCity->clear();
    // Guard: after a failed or interrupted reading neither the list nor the table keeps a
    // part of the file, and the file is not rewritten from that part.
    m_fileWritable = reading.complete;
    if (!reading.complete) {
        Tabella_citta.clear();
        updateCount();
        QMessageBox::critical(this, title(), text(u"errorefile") + u'\n' + reading.errorText);
        return;
    }
    Tabella_citta.assign(reading.cities);
    for (int row = 1; row <= Tabella_citta.lastRow(); ++row) {
        auto* item = new QListWidgetItem(Tabella_citta.row(row)->name, cmbCity);
        item->setData(Qt::UserRole, row);
    }
    updateCount();
}

void frmLocation::updateCount()
{
    lblCity->setText(QString::number(cmbCity->count()));
}

void frmLocation::Mostra_osservatore()
{
    // No place stays chosen: OK applies a place chosen in the list, and one left with Cancel,
    // or deleted, must not come back with the next OK.
    {
        const QSignalBlocker quiet(cmbCity);
        cmbCity->clearSelection();
        cmbCity->setCurrentRow(-1);
    }
    txtCity->setText(QString::fromStdString(Osservatore.Nome_localita));
    lblLatitude->setText(formatNumber(Osservatore.Latitudine_osservatore, kLatitudePattern));
    lblLongitude->setText(formatNumber(Osservatore.Longitudine_osservatore, kLongitudePattern));
    txtHeight->setText(formatNumber(Osservatore.Quota_osservatore, kHeightPattern));
    showZone(Osservatore.Fuso_orario);
    Disegna_globo(Osservatore.Latitudine_osservatore, Osservatore.Longitudine_osservatore);
    chkDaylight->setChecked(Osservatore.Ora_legale == 1);
}

void frmLocation::showZone(float zoneHours)
{
    const location::ZoneChoice choice = location::zoneChoice(zoneHours);
    cmbOffset->setCurrentIndex(choice.side);
    fillHourList(choice.side);
    cmbOffsetHours->setCurrentIndex(choice.hours);
    if (choice.minuteIndex >= 0)
        cmbOffsetMin->setCurrentIndex(choice.minuteIndex);
    // Guard: a zone beyond the lists is shown at their end, and the user is told so rather
    // than finding another zone stored at the next OK.
    if (choice.clamped)
        QMessageBox::information(this, title(),
                                 text(u"fusolimitato") + u' ' + QLocale().toString(zoneHours));
}

void frmLocation::fillHourList(int side)
{
    const int last = location::maxHours(side);
    if (cmbOffsetHours->count() == last + 1)
        return;
    const int hours = cmbOffsetHours->currentIndex();
    const QSignalBlocker quiet(cmbOffsetHours);
    cmbOffsetHours->clear();
    for (int h = 0; h <= last; ++h)
        cmbOffsetHours->addItem(QString::number(h));
    cmbOffsetHours->setCurrentIndex(std::clamp(hours, 0, last));
}

void frmLocation::cmbOffset_Click()
{
    fillHourList(cmbOffset->currentIndex());
}

void frmLocation::loadEarth()
{
    const QString name = QStringLiteral("MapEarth.dat");
    const QString path = dataFilePath(name);
    QString error;
    m_earth = loadPicture(path, &error);
    // A damaged picture is told once: the globes are drawn plain and the next one tries the
    // file again. A missing picture stopped the program at its start.
    // Told once the dialog is on screen, so that the box stands over it.
    if (m_earth.isNull() && QFileInfo::exists(path) && !std::exchange(m_earthFailureTold, true)) {
        const QString told = text(u"erroreglobo") + u'\n' + name + QStringLiteral(": ") + error;
        QTimer::singleShot(0, this, [this, told] { QMessageBox::warning(this, title(), told); });
    }
}

void frmLocation::Disegna_globo(float latitudeDeg, float longitudeDeg)
{
    const location::GlobeView view = location::globeView(longitudeDeg);
    auto globe = m_globes.find(view.picture);
    if (globe == m_globes.end()) {
        if (m_earth.isNull())
            loadEarth();
        globe = m_globes
                    .emplace(view.picture, renderGlobe(m_earth, location::kGlobeCentreLatitudeDeg,
                                                       view.centreLongitudeDeg, kGlobeSizePx))
                    .first;
    }
    QImage picture = globe->second;
    const location::GlobePoint point = location::globePoint(latitudeDeg, longitudeDeg);
    QPainter painter(&picture);
    painter.setPen(QPen(Qt::white, kGlobeMarkPx));
    // The unit circle fills the picture: x from -1 to +1 left to right, y from +1 to -1.
    painter.drawPoint(QPointF((point.x + 1) / 2 * kGlobeSizePx, (1 - point.y) / 2 * kGlobeSizePx));
    painter.end();
    picGeo->setPixmap(QPixmap::fromImage(picture));
}

void frmLocation::cmbCity_Click()
{
    const QList<QListWidgetItem*> chosen = cmbCity->selectedItems();
    if (chosen.isEmpty())
        return;
    const City* city = Tabella_citta.row(chosen.first()->data(Qt::UserRole).toInt());
    if (city == nullptr)
        return;
    txtCity->setText(city->name);
    showZone(city->zone);
    txtHeight->setText(QStringLiteral("0"));
    m_chosenLatitude = city->latitude;
    m_chosenLongitude = city->longitude;
    lblLatitude->setText(formatNumber(city->latitude, kLatitudePattern));
    lblLongitude->setText(formatNumber(city->longitude, kLongitudePattern));
    Disegna_globo(city->latitude, city->longitude);
}

void frmLocation::txtCity_TextEdited(const QString& typed)
{
    // Brings the first place starting with the typed text into view; choosing stays the
    // user's.
    const QList<QListWidgetItem*> matches = cmbCity->findItems(typed, Qt::MatchStartsWith);
    if (!matches.isEmpty())
        cmbCity->scrollToItem(matches.first(), QAbstractItemView::PositionAtTop);
}

void frmLocation::cmdOk_Click()
{
    {
        const BusyCursor busy;
        const QList<QListWidgetItem*> chosen = cmbCity->selectedItems();
        if (!chosen.isEmpty()) {
            Osservatore.Nome_localita = chosen.first()->text().toStdString();
            Osservatore.Latitudine_osservatore = m_chosenLatitude;
            Osservatore.Longitudine_osservatore = m_chosenLongitude;
        }
        // Guard: a height typed without leaving the field is read by the same rule as when
        // the focus leaves it.
        txtHeight_LostFocus();
        Osservatore.Quota_osservatore =
            static_cast<float>(location::heightMetres(txtHeight->text()));
        Osservatore.Fuso_orario =
            location::zoneHours(cmbOffset->currentIndex(), cmbOffsetHours->currentIndex(),
                                cmbOffsetMin->currentIndex());
        Osservatore.Ora_legale = chkDaylight->isChecked() ? 1 : 0;
        mAstro::Calcola_tempi(Data_attuale);
        emit observerChanged();
    }
    hide();
}

void frmLocation::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // The window system's own showings (a minimised dialog restored) keep the focus where it was.
    if (!event->spontaneous())
        txtCity->setFocus(Qt::ActiveWindowFocusReason);
}

void frmLocation::cmdCancel_Click()
{
    reject();
}

void frmLocation::reject()
{
    Mostra_osservatore();
    QDialog::reject();
}

void frmLocation::cmdHelp_Click()
{
    showHelp(this, QDir(MyPath).filePath(mLang::Testo_lingua(u"Help", u"file")),
             HelpCommand::Context, kHelpContext, mLang::Testo_lingua(u"MDIForm1", u"nofilehelp"));
}

void frmLocation::openAddLocation(frmAddLocation& dialog)
{
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.exec();
}

void frmLocation::cmdNuova_Click()
{
    frmAddLocation dialog(this);
    dialog.gblnModificaCitta = false;
    openAddLocation(dialog);
    if (dialog.result() == QDialog::Accepted)
        addPlace(dialog.place());
}

void frmLocation::cmdModifica_Click()
{
    const QList<QListWidgetItem*> chosen = cmbCity->selectedItems();
    const int row = chosen.isEmpty() ? 0 : Tabella_citta.firstRowNamed(chosen.first()->text());
    if (row == 0) {
        QMessageBox::information(this, title(), text(u"selezionarelocalita"));
        return;
    }
    frmAddLocation dialog(this);
    dialog.prepareModify(row, cmbCity->row(chosen.first()), *Tabella_citta.row(row),
                         cmbOffsetHours->currentIndex(), cmbOffsetMin->currentIndex());
    openAddLocation(dialog);
    if (dialog.result() == QDialog::Accepted)
        modifyPlace(dialog.gintIndiceCittaDaModificare, dialog.gintIndiceCittaCombo,
                    dialog.place());
}

int frmLocation::addPlace(const City& city)
{
    const int row = Tabella_citta.add(city);
    auto* item = new QListWidgetItem(city.name, cmbCity);
    item->setData(Qt::UserRole, row);
    updateCount();
    saveCityFile();
    return row;
}

void frmLocation::modifyPlace(int row, int listIndex, const City& city)
{
    if (!Tabella_citta.replace(row, city))
        return;
    saveCityFile();
    if (listIndex >= 0 && listIndex < cmbCity->count()) {
        cmbCity->setCurrentRow(listIndex, QItemSelectionModel::ClearAndSelect);
        cmbCity_Click();
    }
}

void frmLocation::cmdElimina_Click()
{
    const QList<QListWidgetItem*> chosen = cmbCity->selectedItems();
    if (chosen.isEmpty()) {
        QMessageBox::information(this, title(), text(u"selezionarelocalita"));
        return;
    }
    QListWidgetItem* item = chosen.first();
    const int row = item->data(Qt::UserRole).toInt();
    QMessageBox question(QMessageBox::Warning, title(),
                         text(u"confermaeliminazione") + u' ' + item->text() + QStringLiteral(" ?"),
                         QMessageBox::Yes | QMessageBox::No, this);
    question.setDefaultButton(QMessageBox::No);
    if (question.exec() != QMessageBox::Yes)
        return;
    Tabella_citta.remove(row);
    {
        const QSignalBlocker quiet(cmbCity);
        delete item;
    }
    // No place is chosen now: the controls show the observer again, time zone included, so
    // that OK does not apply a part of the deleted place to it.
    Mostra_osservatore();
    updateCount();
    saveCityFile();
}

void frmLocation::saveCityFile()
{
    // Guard: a list that was not read completely is never written over the file, which
    // still holds the places that could not be read.
    if (!m_fileWritable) {
        QMessageBox::warning(this, title(), text(u"cittanonscritte"));
        return;
    }
    QString error;
    const bool written =
        m_writeCityFile ? m_writeCityFile(Tabella_citta, &error)
                        : writeCityFile(dataFilePath(QStringLiteral("cities.dat")), Tabella_citta,
                                        &error);
    if (written)
        return;
    QMessageBox::warning(this, title(), text(u"cittanonsalvate") + u'\n' + error);
    // Guard: the file kept its places, so the table and the list show them again rather than
    // the change that could not be written.
    Carica_citta();
}

void frmLocation::cmdFusoOrario_Click()
{
    float bias = 0;
    bool daylightInForce = false;
    if (!mGlobal::Leggi_fuso_orario(bias, daylightInForce)) {
        QMessageBox::warning(this, title(), text(u"errorefusoorario"));
        return;
    }
    const double minutes = std::abs(static_cast<double>(bias));
    const int hours = static_cast<int>(std::floor(minutes / 60));
    const int rest = static_cast<int>(std::floor(minutes - hours * 60));
    QMessageBox::information(this, title(),
                             text(u"fusoorario1") + u' ' + QString::number(hours) +
                                 QStringLiteral("hr ") + QString::number(rest) +
                                 QStringLiteral("min ") + text(u"fusoorario2") +
                                 QStringLiteral("\r\n") + text(u"fusoorario3"));
}

void frmLocation::txtHeight_LostFocus()
{
    txtHeight->setText(formatNumber(location::heightMetres(txtHeight->text()), kHeightPattern));
}

bool frmLocation::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == txtHeight && event->type() == QEvent::FocusOut)
        txtHeight_LostFocus();
    return QDialog::eventFilter(watched, event);
}
