#include "predictions/RequestSpan.h"

#include "common/element_databases.h"
#include "controls/DateTimeField/DateTimeField.h"
#include "core/DateValue.h"
#include "predictions/frmDetails.h"
#include "services/ObjectNames.h"
#include "services/WindowRegistry.h"
#include "services/mLang.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QRadioButton>

#include <optional>

namespace {

constexpr int kLargestValue = 60;
constexpr int kDefaultValueIndex = 45; // the value 15
constexpr qsizetype kEntryTextLength = 24;
constexpr double kSecondsPerMinute = 60;
constexpr double kSecondsPerHour = 3600;

void fillValues(QComboBox* list)
{
    list->clear();
    for (int value = kLargestValue; value >= 1; --value)
        list->addItem(QString::number(value), value);
    list->setCurrentIndex(kDefaultValueIndex);
}

void fillUnits(QComboBox* list, std::initializer_list<const char16_t*> keys)
{
    list->clear();
    for (const char16_t* key : keys)
        list->addItem(mLang::Testo_lingua(u"Def", key));
    list->setCurrentIndex(0);
}

QDateTime pickerValue(double date)
{
    const DateValue::Parts p = DateValue::split(date);
    // Shown as it stands: the program's time is the observer's, not the computer's zone.
    return QDateTime(QDate(p.year, p.month, p.day), QTime(p.hour, p.minute, p.second), Qt::UTC);
}

} // namespace

QGridLayout* SpanControls::build(QWidget* parent)
{
    lblDataInizio = named(new QLabel(parent), "lblDataInizio");
    DTPicker1 = named(new DateTimeField(parent), "DTPicker1");
    DTPicker1->setTimeSpec(Qt::UTC);
    DTPicker1->setDisplayFormat(QStringLiteral("ddd dd MMM yyyy    HH:mm:ss"));
    lblDurata = named(new QLabel(parent), "lblDurata");
    cmbDurata = named(new QComboBox(parent), "cmbDurata");
    cmbTipoDurata = named(new QComboBox(parent), "cmbTipoDurata");
    lblIntervallo = named(new QLabel(parent), "lblIntervallo");
    cmbIntervallo = named(new QComboBox(parent), "cmbIntervallo");
    cmbTipoIntervallo = named(new QComboBox(parent), "cmbTipoIntervallo");
    cmbDurata->setMaxVisibleItems(15);
    cmbIntervallo->setMaxVisibleItems(15);

    auto* grid = new QGridLayout;
    grid->addWidget(lblDataInizio, 0, 0);
    grid->addWidget(DTPicker1, 0, 1, 1, 2);
    grid->addWidget(lblDurata, 1, 0);
    grid->addWidget(cmbDurata, 1, 1);
    grid->addWidget(cmbTipoDurata, 1, 2);
    grid->addWidget(lblIntervallo, 2, 0);
    grid->addWidget(cmbIntervallo, 2, 1);
    grid->addWidget(cmbTipoIntervallo, 2, 2);
    grid->setColumnStretch(2, 1);
    return grid;
}

void SpanControls::load(QStringView section, double now)
{
    lblDataInizio->setText(mLang::Testo_lingua(section, u"datainizio"));
    lblDurata->setText(mLang::Testo_lingua(section, u"durata"));
    lblIntervallo->setText(mLang::Testo_lingua(section, u"intervallo"));
    DTPicker1->setDateTime(pickerValue(now));
    fillValues(cmbDurata);
    fillValues(cmbIntervallo);
    fillUnits(cmbTipoDurata, {u"min", u"ore", u"giorni"});
    fillUnits(cmbTipoIntervallo, {u"sec", u"min", u"ore"});
}

double SpanControls::start() const
{
    const QDateTime value = DTPicker1->dateTime();
    return DateValue::fromDateTime(value.date().year(), value.date().month(), value.date().day(),
                                   value.time().hour(), value.time().minute(),
                                   value.time().second());
}

double SpanControls::end(double startDate) const
{
    const double count = cmbDurata->currentData().toDouble();
    switch (cmbTipoDurata->currentIndex()) {
    case 0:
        return DateValue::addMinutes(startDate, count);
    case 1:
        return DateValue::addHours(startDate, count);
    default:
        return DateValue::addDays(startDate, count);
    }
}

double SpanControls::stepSeconds() const
{
    const double count = cmbIntervallo->currentData().toDouble();
    switch (cmbTipoIntervallo->currentIndex()) {
    case 1:
        return count * kSecondsPerMinute;
    case 2:
        return count * kSecondsPerHour;
    default:
        return count;
    }
}

QGroupBox* CoordinateChoice::build(QWidget* parent, bool inertialFirst)
{
    auto* group = named(new QGroupBox(parent), "fraCoordinate");
    lblTipoCoordinate = named(new QLabel(parent), "lblTipoCoordinate");
    if (inertialFirst) {
        optECI = named(new QRadioButton(group), "optECI");
        optOBS = named(new QRadioButton(group), "optOBS");
    } else {
        optOBS = named(new QRadioButton(group), "optOBS");
        optECI = named(new QRadioButton(group), "optECI");
    }
    optLLA = named(new QRadioButton(group), "optLLA");
    optRAD = named(new QRadioButton(group), "optRAD");
    auto* row = new QHBoxLayout(group);
    row->addWidget(inertialFirst ? optECI : optOBS);
    row->addWidget(inertialFirst ? optOBS : optECI);
    row->addWidget(optLLA);
    row->addWidget(optRAD);
    return group;
}

void CoordinateChoice::load(QStringView section, QRadioButton* checked)
{
    lblTipoCoordinate->setText(mLang::Testo_lingua(section, u"tipocoordinate"));
    optECI->setText(mLang::Testo_lingua(section, u"eci"));
    optOBS->setText(mLang::Testo_lingua(section, u"obs"));
    optLLA->setText(mLang::Testo_lingua(section, u"lla"));
    optRAD->setText(mLang::Testo_lingua(section, u"rad"));
    checked->setChecked(true);
}

int CoordinateChoice::listingOption() const
{
    if (optOBS->isChecked())
        return 1;
    if (optECI->isChecked())
        return 2;
    if (optLLA->isChecked())
        return 3;
    return 4;
}

QString databaseEntryText(const Record_TLE& set)
{
    return QString::fromStdString(set.Riga0).left(kEntryTextLength);
}

const std::vector<Record_TLE>& databaseOfTab(int tab)
{
    return tab == 0 ? Db_principale : Db_secondario;
}

std::optional<Record_TLE> chosenSet(int tab, int position, const QString& entryText)
{
    const std::vector<Record_TLE>& database = databaseOfTab(tab);
    // Guard: the database may have been read again since the list was filled; a position
    // that now holds another set must not list the wrong satellite.
    if (position < 1 || static_cast<std::size_t>(position) >= database.size())
        return std::nullopt;
    const Record_TLE& set = database[static_cast<std::size_t>(position)];
    if (databaseEntryText(set) != entryText)
        return std::nullopt;
    return set;
}

frmDetails* newListingWindow()
{
    auto* window = WindowRegistry::instance().form<frmDetails>(kDetailsWindowName);
    if (window == nullptr) {
        window = new frmDetails();
        window->setAttribute(Qt::WA_DeleteOnClose);
    }
    if (auto* frame = qobject_cast<QMdiSubWindow*>(window->parentWidget())) {
        frame->show();
        if (QMdiArea* area = frame->mdiArea())
            area->setActiveSubWindow(frame);
    }
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}
