#include "dialogs/frmAddLocation.h"

#include "controls/GraphButton/GraphButton.h"
#include "core/mMate.h"
#include "dialogs/DialogButtons.h"
#include "dialogs/LocationRules.h"
#include "services/DisplayFormat.h"
#include "services/Help.h"
#include "services/ProgramFolder.h"
#include "services/TextRoom.h"
#include "services/mLang.h"

#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kNameLength = 25;
constexpr int kHelpContextModify = 40;
constexpr int kHelpContextNew = 50;
constexpr int kSexagesimalTab = 0;
constexpr int kDecimalTab = 1;
constexpr double kMaxLatitudeDeg = 90;
constexpr double kMaxLongitudeDeg = 180;
constexpr int kFieldWidthPx = 44;

QString text(QStringView key)
{
    return mLang::Testo_lingua(u"frmAddLocation", key);
}

/// A field of at most `length` characters, wide enough for `digits` digits, its widest entry.
QLineEdit* numberField(const char16_t* name, int length, int digits, QWidget* parent)
{
    auto* edit = new QLineEdit(QStringLiteral("0"), parent);
    edit->setObjectName(QString::fromUtf16(name));
    edit->setMaxLength(length);
    edit->setAlignment(Qt::AlignRight);
    edit->setFixedWidth(std::max(kFieldWidthPx, fieldWidthFor(*edit, QString(digits, u'0'))));
    return edit;
}

QLabel* mark(const QString& text, QWidget* parent)
{
    return new QLabel(text, parent);
}

} // namespace

frmAddLocation::frmAddLocation(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("frmAddLocation"));
    buildControls();
    connectControls();
    Applica_lingua();
    for (QComboBox* list : {cmbLatitude, cmbLongitude, cmbOffset, cmbOffsetHours, cmbOffsetMin})
        list->setCurrentIndex(0);
    SSTab1->setCurrentIndex(kSexagesimalTab);
}

void frmAddLocation::buildControls()
{
    fraCity = new QGroupBox(this);
    fraCity->setObjectName(QStringLiteral("fraCity"));
    txtCityName = new QLineEdit(fraCity);
    txtCityName->setObjectName(QStringLiteral("txtCityName"));
    txtCityName->setMaxLength(kNameLength);
    (new QHBoxLayout(fraCity))->addWidget(txtCityName);

    cmbLatitude = new QComboBox(this);
    cmbLatitude->setObjectName(QStringLiteral("cmbLatitude"));
    cmbLatitude->addItems({QStringLiteral("N"), QStringLiteral("S")});
    cmbLongitude = new QComboBox(this);
    cmbLongitude->setObjectName(QStringLiteral("cmbLongitude"));
    cmbLongitude->addItems({QStringLiteral("E"), QStringLiteral("W")});
    auto* hemispheres = new QHBoxLayout;
    hemispheres->addWidget(cmbLatitude);
    hemispheres->addWidget(cmbLongitude);
    hemispheres->addStretch();

    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    SSTab1->addTab(buildSexagesimalTab(), QString());
    SSTab1->addTab(buildDecimalTab(), QString());

    QHBoxLayout* buttons = buildDialogButtons(this, cmdOK, cmdCancel, cmdHelp);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fraCity);
    layout->addLayout(hemispheres);
    layout->addWidget(SSTab1);
    layout->addWidget(buildTimeGroup());
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    m_sexagesimalFields = {{
        {txtDMSDegLatitude, kMaxLatitudeDeg, u"valorecompreso0-90", u"#0"},
        {txtDMSMinLatitude, 59, u"valorecompreso0-59", u"00"},
        {txtDMSSecLatitude, 59, u"valorecompreso0-59", u"00"},
        {txtDMSDegLongitude, kMaxLongitudeDeg, u"valorecompreso0-180", u"##0"},
        {txtDMSMinLongitude, 59, u"valorecompreso0-59", u"00"},
        {txtDMSSecLongitude, 59, u"valorecompreso0-59", u"00"},
    }};
    m_decimalFields = {{
        {txtDegLatitude, kMaxLatitudeDeg, u"valorecompreso0-90", u"#0", txtDegFrazLatitude},
        {txtDegFrazLatitude, 1, u"valorecompreso0-9999", u"0000", nullptr, true},
        {txtDegLongitude, kMaxLongitudeDeg, u"valorecompreso0-180", u"##0", txtDegFrazLongitude},
        {txtDegFrazLongitude, 1, u"valorecompreso0-9999", u"0000", nullptr, true},
    }};
}

QWidget* frmAddLocation::buildSexagesimalTab()
{
    auto* page = new QWidget;
    const auto row = [page](QGroupBox*& frame, const char16_t* name, QLineEdit*& degrees,
                            const char16_t* degreesName, int degreeDigits, QLineEdit*& minutes,
                            const char16_t* minutesName, QLineEdit*& seconds,
                            const char16_t* secondsName) {
        frame = new QGroupBox(page);
        frame->setObjectName(QString::fromUtf16(name));
        degrees = numberField(degreesName, degreeDigits, degreeDigits, frame);
        minutes = numberField(minutesName, 2, 2, frame);
        seconds = numberField(secondsName, 2, 2, frame);
        auto* line = new QHBoxLayout(frame);
        line->addWidget(degrees);
        line->addWidget(mark(QStringLiteral("\u00B0"), frame));
        line->addWidget(minutes);
        line->addWidget(mark(QStringLiteral("'"), frame));
        line->addWidget(seconds);
        line->addWidget(mark(QStringLiteral("''"), frame));
        line->addStretch();
    };
    row(fraLatitudinedms, u"fraLatitudinedms", txtDMSDegLatitude, u"txtDMSDegLatitude", 2,
        txtDMSMinLatitude, u"txtDMSMinLatitude", txtDMSSecLatitude, u"txtDMSSecLatitude");
    row(fraLongitudinedms, u"fraLongitudinedms", txtDMSDegLongitude, u"txtDMSDegLongitude", 3,
        txtDMSMinLongitude, u"txtDMSMinLongitude", txtDMSSecLongitude, u"txtDMSSecLongitude");
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(fraLatitudinedms);
    layout->addWidget(fraLongitudinedms);
    return page;
}

QWidget* frmAddLocation::buildDecimalTab()
{
    auto* page = new QWidget;
    const auto row = [page](QGroupBox*& frame, const char16_t* name, QLineEdit*& degrees,
                            const char16_t* degreesName, int degreeDigits, QLineEdit*& fraction,
                            const char16_t* fractionName) {
        frame = new QGroupBox(page);
        frame->setObjectName(QString::fromUtf16(name));
        // Room for a decimal mark typed after the degrees and the decimals behind it, which
        // move on into the fraction field.
        degrees = numberField(degreesName, degreeDigits + 1 + location::kFractionDigits,
                              degreeDigits, frame);
        fraction = numberField(fractionName, location::kFractionDigits, location::kFractionDigits,
                               frame);
        fraction->setText(QStringLiteral("0000"));
        auto* line = new QHBoxLayout(frame);
        line->addWidget(degrees);
        line->addWidget(mark(QLocale().decimalPoint(), frame));
        line->addWidget(fraction);
        line->addWidget(mark(QStringLiteral("\u00B0"), frame));
        line->addStretch();
    };
    row(fraLatitudinedd, u"fraLatitudinedd", txtDegLatitude, u"txtDegLatitude", 2,
        txtDegFrazLatitude, u"txtDegFrazLatitude");
    row(fraLongitudinedd, u"fraLongitudinedd", txtDegLongitude, u"txtDegLongitude", 3,
        txtDegFrazLongitude, u"txtDegFrazLongitude");
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(fraLatitudinedd);
    layout->addWidget(fraLongitudinedd);
    return page;
}

QGroupBox* frmAddLocation::buildTimeGroup()
{
    fraOffset = new QGroupBox(this);
    fraOffset->setObjectName(QStringLiteral("fraOffset"));
    cmbOffset = new QComboBox(fraOffset);
    cmbOffset->setObjectName(QStringLiteral("cmbOffset"));
    cmbOffsetHours = new QComboBox(fraOffset);
    cmbOffsetHours->setObjectName(QStringLiteral("cmbOffsetHours"));
    for (int h = 0; h <= location::kMaxHoursEast; ++h)
        cmbOffsetHours->addItem(QString::number(h));
    cmbOffsetMin = new QComboBox(fraOffset);
    cmbOffsetMin->setObjectName(QStringLiteral("cmbOffsetMin"));
    for (const int minutes : location::kZoneMinutes)
        cmbOffsetMin->addItem(QString::number(minutes));
    lblFuso = new QLabel(fraOffset);
    lblFuso->setObjectName(QStringLiteral("lblFuso"));
    lblFusoOre = new QLabel(fraOffset);
    lblFusoOre->setObjectName(QStringLiteral("lblFusoOre"));
    lblFusoMin = new QLabel(fraOffset);
    lblFusoMin->setObjectName(QStringLiteral("lblFusoMin"));
    auto* line = new QHBoxLayout(fraOffset);
    line->addWidget(lblFuso);
    line->addWidget(cmbOffset);
    line->addWidget(cmbOffsetHours);
    line->addWidget(lblFusoOre);
    line->addWidget(cmbOffsetMin);
    line->addWidget(lblFusoMin);
    return fraOffset;
}

void frmAddLocation::connectControls()
{
    connect(SSTab1, &QTabWidget::currentChanged, this, &frmAddLocation::SSTab1_Click);
    connect(cmbOffset, &QComboBox::currentIndexChanged, this, [this](int side) {
        // West of Greenwich the zones end at 12 hours.
        const int hours = cmbOffsetHours->currentIndex();
        while (cmbOffsetHours->count() > location::maxHours(side) + 1)
            cmbOffsetHours->removeItem(cmbOffsetHours->count() - 1);
        while (cmbOffsetHours->count() < location::maxHours(side) + 1)
            cmbOffsetHours->addItem(QString::number(cmbOffsetHours->count()));
        cmbOffsetHours->setCurrentIndex(std::min(hours, location::maxHours(side)));
    });
    connect(cmdOK, &GraphButton::Click, this, &frmAddLocation::cmdOK_Click);
    connect(cmdCancel, &GraphButton::Click, this, &frmAddLocation::cmdCancel_Click);
    connect(cmdHelp, &GraphButton::Click, this, &frmAddLocation::cmdHelp_Click);
    for (const Field& field : m_sexagesimalFields)
        field.edit->installEventFilter(this);
    for (const Field& field : m_decimalFields) {
        field.edit->installEventFilter(this);
        if (field.fraction != nullptr)
            connect(field.edit, &QLineEdit::textEdited, this,
                    [this, &field] { wholeDegrees_TextEdited(field); });
    }
}

void frmAddLocation::Applica_lingua()
{
    setWindowTitle(text(u"nuovalocalita"));
    fraCity->setTitle(text(u"nomelocalita"));
    SSTab1->setTabText(kSexagesimalTab, text(u"gradiprimi"));
    SSTab1->setTabText(kDecimalTab, text(u"gradidecimi"));
    for (QGroupBox* frame : {fraLatitudinedms, fraLatitudinedd})
        frame->setTitle(text(u"latitudine"));
    for (QGroupBox* frame : {fraLongitudinedms, fraLongitudinedd})
        frame->setTitle(text(u"longitudine"));
    fraOffset->setTitle(text(u"impostazioneora"));
    cmbOffset->clear();
    cmbOffset->addItems({text(u"primadigreenwich"), text(u"dopodigreenwich")});
    lblFuso->setText(mLang::Testo_lingua(u"Def", u"fuso"));
    lblFusoOre->setText(mLang::Testo_lingua(u"Def", u"ore"));
    lblFusoMin->setText(mLang::Testo_lingua(u"Def", u"min"));
    setDialogButtonCaptions(cmdOK, cmdCancel, cmdHelp);
}

void frmAddLocation::prepareModify(int row, int listIndex, const City& city, int hours,
                                   int minuteIndex)
{
    SSTab1->setCurrentIndex(kDecimalTab);
    txtCityName->setText(city.name);
    cmbLatitude->setCurrentIndex(city.latitude < 0 ? 1 : 0);
    cmbLongitude->setCurrentIndex(city.longitude < 0 ? 1 : 0);
    cmbOffset->setCurrentIndex(city.zone < 0 ? 1 : 0);
    const location::DecimalDegreesText latitude = location::decimalDegreesText(city.latitude);
    const location::DecimalDegreesText longitude = location::decimalDegreesText(city.longitude);
    txtDegLatitude->setText(latitude.degrees);
    txtDegFrazLatitude->setText(latitude.fraction);
    txtDegLongitude->setText(longitude.degrees);
    txtDegFrazLongitude->setText(longitude.fraction);
    cmbOffsetHours->setCurrentIndex(std::min(hours, cmbOffsetHours->count() - 1));
    cmbOffsetMin->setCurrentIndex(minuteIndex);
    gintIndiceCittaDaModificare = row;
    gintIndiceCittaCombo = listIndex;
    gblnModificaCitta = true;
    txtCityName->setEnabled(false);
}

void frmAddLocation::showWarning(QStringView key)
{
    QMessageBox::warning(this, QGuiApplication::applicationDisplayName(), text(key));
}

double frmAddLocation::fieldValue(const Field& field)
{
    if (field.isFraction)
        return location::fractionValue(field.edit->text()).value_or(-1);
    return location::fieldNumber(field.edit->text().trimmed());
}

bool frmAddLocation::checkField(const Field& field)
{
    const double value = fieldValue(field);
    if (value >= 0 && value <= field.maximum)
        return true;
    showWarning(field.message);
    field.edit->setFocus();
    return false;
}

bool frmAddLocation::checkFields(int tab)
{
    const auto check = [this](const auto& fields) {
        for (const Field& field : fields) {
            if (!checkField(field))
                return false;
        }
        return true;
    };
    return tab == kSexagesimalTab ? check(m_sexagesimalFields) : check(m_decimalFields);
}

bool frmAddLocation::checkTab(int tab)
{
    if (!checkFields(tab))
        return false;
    // A whole 90 or 180 degrees leaves no room for minutes, seconds or a fraction.
    const auto beyond = [](const Field& degrees, double limit, std::initializer_list<Field> rest) {
        if (fieldValue(degrees) != limit)
            return false;
        for (const Field& field : rest) {
            if (fieldValue(field) > 0)
                return true;
        }
        return false;
    };
    const bool latitudeBeyond =
        tab == kSexagesimalTab ? beyond(m_sexagesimalFields[0], kMaxLatitudeDeg,
                                        {m_sexagesimalFields[1], m_sexagesimalFields[2]})
                               : beyond(m_decimalFields[0], kMaxLatitudeDeg, {m_decimalFields[1]});
    if (latitudeBeyond) {
        showWarning(u"valorelaterrato");
        return false;
    }
    const bool longitudeBeyond =
        tab == kSexagesimalTab ? beyond(m_sexagesimalFields[3], kMaxLongitudeDeg,
                                        {m_sexagesimalFields[4], m_sexagesimalFields[5]})
                               : beyond(m_decimalFields[2], kMaxLongitudeDeg, {m_decimalFields[3]});
    if (longitudeBeyond) {
        showWarning(u"valorelongerrato");
        return false;
    }
    return true;
}

bool frmAddLocation::Controlla_dati()
{
    const QString name = txtCityName->text().trimmed();
    // Guard: a quote or a control character would break the line of cities.dat the place
    // is written on.
    if (name.isEmpty() || !isValidCityName(name)) {
        showWarning(name.isEmpty() ? u"nomeobbligatorio" : u"nomenonvalido");
        txtCityName->setFocus();
        return false;
    }
    return checkFields(SSTab1->currentIndex());
}

void frmAddLocation::SSTab1_Click(int tab)
{
    if (m_restoringTab)
        return;
    const int left = m_frontTab;
    if (tab == left)
        return;
    if (!checkTab(left)) {
        m_restoringTab = true;
        SSTab1->setCurrentIndex(left);
        m_restoringTab = false;
        return;
    }
    m_frontTab = tab;
    carryTo(tab);
}

std::vector<const frmAddLocation::Field*> frmAddLocation::coordinateFields(Coordinate coordinate,
                                                                           int tab) const
{
    const bool latitude = coordinate == Coordinate::Latitude;
    if (tab == kSexagesimalTab) {
        const std::size_t first = latitude ? 0 : 3;
        return {&m_sexagesimalFields[first], &m_sexagesimalFields[first + 1],
                &m_sexagesimalFields[first + 2]};
    }
    const std::size_t first = latitude ? 0 : 2;
    return {&m_decimalFields[first], &m_decimalFields[first + 1]};
}

double frmAddLocation::coordinateOnTab(Coordinate coordinate, int tab) const
{
    std::vector<double> values;
    for (const Field* field : coordinateFields(coordinate, tab))
        values.push_back(fieldValue(*field));
    // Fields that still hold what a switch wrote into them stand for the value it converted,
    // which whole seconds or four decimals could not always hold.
    const std::optional<CarriedValue>& carried = m_carried[static_cast<std::size_t>(coordinate)];
    if (carried && carried->tab == tab && carried->fields == values)
        return carried->degrees;
    return tab == kSexagesimalTab ? mMate::Gradi_decimali(values[0], values[1], values[2])
                                  : values[0] + values[1];
}

void frmAddLocation::carryTo(int tab)
{
    const int from = tab == kSexagesimalTab ? kDecimalTab : kSexagesimalTab;
    for (const Coordinate coordinate : {Coordinate::Latitude, Coordinate::Longitude}) {
        const double degrees = coordinateOnTab(coordinate, from);
        const std::vector<const Field*> fields = coordinateFields(coordinate, tab);
        if (tab == kSexagesimalTab) {
            const location::SexagesimalText parts = location::sexagesimalText(degrees);
            fields[0]->edit->setText(parts.degrees);
            fields[1]->edit->setText(parts.minutes);
            fields[2]->edit->setText(parts.seconds);
        } else {
            const location::DecimalDegreesText parts = location::decimalDegreesText(degrees);
            fields[0]->edit->setText(parts.degrees);
            fields[1]->edit->setText(parts.fraction);
        }
        CarriedValue carried{tab, degrees, {}};
        for (const Field* field : fields)
            carried.fields.push_back(fieldValue(*field));
        m_carried[static_cast<std::size_t>(coordinate)] = std::move(carried);
    }
}

double frmAddLocation::latitudeOfTab() const
{
    const double rounded =
        location::roundedCoordinate(coordinateOnTab(Coordinate::Latitude, SSTab1->currentIndex()));
    return cmbLatitude->currentIndex() == 1 ? -rounded : rounded;
}

double frmAddLocation::longitudeOfTab() const
{
    const double rounded =
        location::roundedCoordinate(coordinateOnTab(Coordinate::Longitude, SSTab1->currentIndex()));
    return cmbLongitude->currentIndex() == 1 ? -rounded : rounded;
}

void frmAddLocation::cmdOK_Click()
{
    if (!Controlla_dati())
        return;
    const double latitude = latitudeOfTab();
    const double longitude = longitudeOfTab();
    if (std::abs(latitude) > kMaxLatitudeDeg) {
        showWarning(u"valorelaterrato");
        return;
    }
    if (std::abs(longitude) > kMaxLongitudeDeg) {
        showWarning(u"valorelongerrato");
        return;
    }
    const QString name = txtCityName->text().trimmed();
    const float zone = location::zoneHours(
        cmbOffset->currentIndex(), cmbOffsetHours->currentIndex(), cmbOffsetMin->currentIndex());
    const QLocale locale;
    const QString degreeSign = QStringLiteral("\u00B0");
    const QString gap = QStringLiteral("  ");
    const QString equals = QStringLiteral("= ");
    const QString summary = text(u"nuovalocalitacondati") + gap + name + gap + text(u"latitudine") +
                            equals + locale.toString(latitude) + degreeSign + gap +
                            text(u"longitudine") + equals + locale.toString(longitude) +
                            degreeSign + gap + mLang::Testo_lingua(u"Def", u"fuso") + equals +
                            locale.toString(zone) + u' ' + mLang::Testo_lingua(u"Def", u"ore");
    QMessageBox confirmation(QMessageBox::Information, text(u"nuovalocalita"), summary,
                             QMessageBox::Yes | QMessageBox::No, this);
    if (confirmation.exec() != QMessageBox::Yes)
        return;
    m_place = City{name, static_cast<float>(latitude), static_cast<float>(longitude), zone};
    accept();
}

void frmAddLocation::cmdCancel_Click()
{
    reject();
}

void frmAddLocation::cmdHelp_Click()
{
    showHelp(this, QDir(MyPath).filePath(mLang::Testo_lingua(u"Help", u"file")),
             HelpCommand::Context, gblnModificaCitta ? kHelpContextModify : kHelpContextNew,
             mLang::Testo_lingua(u"MDIForm1", u"nofilehelp"));
}

bool frmAddLocation::eventFilter(QObject* watched, QEvent* event)
{
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (edit != nullptr && event->type() == QEvent::FocusIn) {
        // After the click that gave the focus has placed the cursor. Not when a decimal mark
        // typed in the degrees brought the focus: typing goes on after what it moved here.
        if (edit != m_typingOn)
            QTimer::singleShot(0, edit, &QLineEdit::selectAll);
        m_typingOn = nullptr;
    } else if (edit != nullptr && event->type() == QEvent::FocusOut) {
        const Field* field = fieldOf(edit);
        if (field != nullptr && !field->isFraction) {
            edit->setText(formatNumber(fieldValue(*field), field->pattern));
        } else if (field != nullptr) {
            // Decimals that cannot be read stay as typed, for the check to point at.
            if (const std::optional<double> decimals = location::fractionValue(edit->text()))
                edit->setText(location::fractionText(*decimals));
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmAddLocation::wholeDegrees_TextEdited(const Field& field)
{
    const std::optional<location::DegreesAtMark> split =
        location::splitAtDecimalMark(field.edit->text());
    if (!split)
        return;
    field.edit->setText(split->degrees);
    field.fraction->setText(split->decimals);
    m_typingOn = field.fraction;
    field.fraction->setFocus(Qt::OtherFocusReason);
    m_typingOn = nullptr;
    field.fraction->end(false);
}

const frmAddLocation::Field* frmAddLocation::fieldOf(const QLineEdit* edit) const
{
    for (const Field& field : m_sexagesimalFields) {
        if (field.edit == edit)
            return &field;
    }
    for (const Field& field : m_decimalFields) {
        if (field.edit == edit)
            return &field;
    }
    return nullptr;
}
