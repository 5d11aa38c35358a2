#include "dialogs/frmLanguage.h"

#include "common/options.h"
#include "controls/GraphButton/GraphButton.h"
#include "services/ProgramFolder.h"
#include "services/WindowNames.h"
#include "services/WindowRegistry.h"
#include "services/mLang.h"
#include "services/mReg.h"
#include "tracking/OptionsStore.h"

#include <QDir>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QVBoxLayout>

namespace {

constexpr QStringView kLanguageExtension = u".ini";
constexpr QStringView kWorkingSetFile = u"Quorvanel.ini";
constexpr int kListWidthPx = 220;
constexpr int kListHeightPx = 160;

QString fileOfLanguage(const QString& languageName)
{
    return languageName + kLanguageExtension.toString();
}

} // namespace

frmLanguage::frmLanguage(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("frmLanguage"));
    buildControls();
    connectControls();
    fillList();
    selectRecordedLanguage();
    Applica_lingua();
}

QString frmLanguage::properCase(const QString& text)
{
    QString result = text.toLower();
    bool wordStart = true;
    for (QChar& c : result) {
        if (wordStart)
            c = c.toUpper();
        wordStart = c.isSpace();
    }
    return result;
}

QStringList frmLanguage::languageNames(const QString& folder)
{
    const QStringList files = QDir(folder).entryList(
        {QStringLiteral("*.ini")}, QDir::Files | QDir::Hidden, QDir::Name | QDir::IgnoreCase);
    QStringList names;
    for (const QString& file : files) {
        if (file.compare(kWorkingSetFile, Qt::CaseInsensitive) == 0)
            continue;
        const QString name = file.chopped(kLanguageExtension.size());
        if (!name.isEmpty())
            names.append(properCase(name));
    }
    return names;
}

void frmLanguage::buildControls()
{
    lstLingua = new QListWidget(this);
    lstLingua->setObjectName(QStringLiteral("lstLingua"));
    lstLingua->setMinimumSize(kListWidthPx, kListHeightPx);

    cmdOK = new GraphButton(this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdCancel = new GraphButton(this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setCancel(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lstLingua);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void frmLanguage::connectControls()
{
    connect(lstLingua, &QListWidget::currentRowChanged, this, &frmLanguage::lstLingua_Click);
    connect(cmdOK, &GraphButton::Click, this, &frmLanguage::cmdOK_Click);
    connect(cmdCancel, &GraphButton::Click, this, &frmLanguage::cmdCancel_Click);
}

void frmLanguage::fillList()
{
    cmdOK->setEnabled(false);
    lstLingua->addItems(languageNames(MyPath));
}

void frmLanguage::selectRecordedLanguage()
{
    if (Impostazioni.File_lingua.empty()) {
        // Offer the first language; it is stored in memory at once, the store only on OK.
        if (lstLingua->count() > 0) {
            lstLingua->setCurrentRow(0);
            Impostazioni.File_lingua = fileOfLanguage(lstLingua->item(0)->text()).toStdString();
        }
        return;
    }
    const QString recorded = QString::fromStdString(Impostazioni.File_lingua);
    for (int row = 0; row < lstLingua->count(); ++row) {
        if (fileOfLanguage(lstLingua->item(row)->text()).compare(recorded, Qt::CaseInsensitive)
            == 0)
            lstLingua->setCurrentRow(row);
    }
}

void frmLanguage::Applica_lingua()
{
    setWindowTitle(mLang::Testo_lingua(u"frmLanguage", u"lingua"));
    cmdOK->setCaption(mLang::Testo_lingua(u"Buttons", u"ok"));
    cmdCancel->setCaption(mLang::Testo_lingua(u"Buttons", u"cancel"));
}

void frmLanguage::lstLingua_Click()
{
    cmdOK->setEnabled(lstLingua->currentRow() >= 0);
}

void frmLanguage::cmdOK_Click()
{
    const QListWidgetItem* chosen = lstLingua->currentItem();
    if (chosen == nullptr)
        return;
    const QString file = fileOfLanguage(chosen->text());
    Impostazioni.File_lingua = file.toStdString();
    mLang::Lingua_caricata = false;

    const mReg::RegistryStatus stored = mReg::Scrivi_registro(u"Quorvanel", u"Generali",
                                                              u"Lingua", file);
    // Guard: a choice that could not be stored holds for this session only; say so rather
    // than let the next start ask again without explanation.
    if (!stored.ok())
        QMessageBox::warning(this, QGuiApplication::applicationDisplayName(),
                             mLang::Testo_lingua(u"frmLanguage", u"linguanonsalvata") + u'\n'
                                 + optionsStoreFailureReason(stored));

    // The open windows show the old texts: close every one but the main window (the first
    // loaded), the chooser among them, last loaded first, and let the main window relabel
    // itself. At start-up the main window is not loaded yet and nothing else is open.
    WindowRegistry& windows = WindowRegistry::instance();
    const QList<QWidget*> loaded = windows.loadedWindows();
    if (loaded.size() > 1) {
        for (qsizetype i = loaded.size() - 1; i >= 1; --i) {
            // Guard: a text window asks whether to save its changed text, and one whose user
            // keeps it open stays, instead of losing the text.
            if (loaded[i]->objectName() == windowNames::kFile) {
                auto* frame = qobject_cast<QMdiSubWindow*>(loaded[i]->parentWidget());
                (frame != nullptr ? static_cast<QWidget*>(frame) : loaded[i])->close();
                continue;
            }
            windows.unload(loaded[i]);
        }
        emit languageChosen();
    }
    accept();
}

void frmLanguage::cmdCancel_Click()
{
    reject();
}
