#include "skycharts/frmMagnitude.h"

#include "skycharts/SkyChartGeometry.h"

#include "controls/GraphButton/GraphButton.h"
#include "services/BusyCursor.h"
#include "services/DisplayFormat.h"
#include "services/MessageBoxes.h"
#include "services/WindowRegistry.h"
#include "services/mLang.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QVBoxLayout>

namespace {

const char* const kCountProperty = "gintNumStelle";

} // namespace

frmMagnitude::frmMagnitude(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmMagnitude"));
    setModal(true);
    Frame1 = new QGroupBox(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    cmbMagnitudine = new QComboBox(Frame1);
    cmbMagnitudine->setObjectName(QStringLiteral("cmbMagnitudine"));
    lblStelle = new QLabel(Frame1);
    lblStelle->setObjectName(QStringLiteral("lblStelle"));
    lblNumeroStelle = new QLabel(Frame1);
    lblNumeroStelle->setObjectName(QStringLiteral("lblNumeroStelle"));
    auto* frame = new QVBoxLayout(Frame1);
    frame->addWidget(cmbMagnitudine);
    auto* count = new QHBoxLayout;
    count->addWidget(lblStelle);
    count->addWidget(lblNumeroStelle, 1);
    frame->addLayout(count);

    cmdOK = new GraphButton(this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdCancel = new GraphButton(this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setCancel(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Frame1);
    layout->addLayout(buttons);

    Imposta_lingua();
    connectControls();
}

void frmMagnitude::Imposta_lingua()
{
    setWindowTitle(mLang::Testo_lingua(u"frmMagnitude", u"magnitudinelimite"));
    // The small dialog is at least as wide as its title needs beside the title-bar buttons.
    setMinimumWidth(titleBarWidth(windowTitle()));
    lblStelle->setText(mLang::Testo_lingua(u"frmMagnitude", u"stelle"));
    const QSignalBlocker quiet(cmbMagnitudine);
    cmbMagnitudine->clear();
    // The entries are fixed texts around the magnitude, which is shown as the user writes
    // decimals.
    for (int i = 0; i < skycharts::kLimitingMagnitudeCount; ++i) {
        const double magnitude = skycharts::kLimitingMagnitudes[static_cast<std::size_t>(i)];
        cmbMagnitudine->addItem((i == 0 ? QStringLiteral("mag. > ") : QStringLiteral("mag. "))
                                + formatNumber(magnitude, u"0.0"));
    }
    cmdOK->setCaption(mLang::Testo_lingua(u"Buttons", u"ok"));
    cmdCancel->setCaption(mLang::Testo_lingua(u"Buttons", u"cancel"));
}

void frmMagnitude::connectControls()
{
    connect(cmbMagnitudine, &QComboBox::activated, this, &frmMagnitude::cmbMagnitudine_Click);
    connect(cmdOK, &GraphButton::Click, this, &frmMagnitude::cmdOK_Click);
    connect(cmdCancel, &GraphButton::Click, this, &frmMagnitude::cmdCancel_Click);
}

QWidget* frmMagnitude::servedChart() const
{
    WindowRegistry& windows = WindowRegistry::instance();
    if (gstrQualeMappa == u"generale")
        return windows.find(QStringLiteral("frmGeneralSky"));
    if (gstrQualeMappa == u"locale")
        return windows.find(QStringLiteral("frmLocalSky"));
    if (gstrQualeMappa != u"anteprima")
        return nullptr;
    if (m_servedChart)
        return m_servedChart;
    // Opened from a pass chart's menu, the dialog belongs to that chart.
    if (parentWidget() != nullptr && parentWidget()->objectName() == u"frmSkySat")
        return parentWidget();
    // The pass chart whose menu opened the dialog is the main window's active child.
    const QMdiArea* area = parentWidget() != nullptr ? parentWidget()->findChild<QMdiArea*>() : nullptr;
    const QMdiSubWindow* active = area != nullptr ? area->activeSubWindow() : nullptr;
    QWidget* chart = active != nullptr ? active->widget() : nullptr;
    return chart != nullptr && chart->objectName() == u"frmSkySat" ? chart : nullptr;
}

void frmMagnitude::showEvent(QShowEvent* event)
{
    Form_Load();
    QDialog::showEvent(event);
}

void frmMagnitude::Form_Load()
{
    const QWidget* chart = servedChart();
    const int current = chart != nullptr ? chart->property(kCountProperty).toInt() : 0;
    m_chosenCount = current;
    const QSignalBlocker quiet(cmbMagnitudine);
    cmbMagnitudine->setCurrentIndex(-1);
    for (int i = 0; i < skycharts::kLimitingMagnitudeCount; ++i) {
        if (skycharts::kLimitingMagnitudeStars[static_cast<std::size_t>(i)] == current) {
            cmbMagnitudine->setCurrentIndex(i);
            cmbMagnitudine_Click(i);
        }
    }
    lblNumeroStelle->setText(QString::number(current));
}

void frmMagnitude::cmbMagnitudine_Click(int index)
{
    if (index < 0 || index >= skycharts::kLimitingMagnitudeCount)
        return;
    m_chosenCount = skycharts::kLimitingMagnitudeStars[static_cast<std::size_t>(index)];
    lblNumeroStelle->setText(QString::number(m_chosenCount));
}

void frmMagnitude::cmdOK_Click()
{
    {
        const BusyCursor busy;
        // The count shown is the one applied: without a choice the chart keeps its own.
        if (QWidget* chart = servedChart()) {
            chart->setProperty(kCountProperty, m_chosenCount);
            if (gstrQualeMappa == u"locale")
                QMetaObject::invokeMethod(chart, "tmrLocalSky_Timer");
            else if (gstrQualeMappa == u"generale")
                QMetaObject::invokeMethod(chart, "Genera_mappa");
            else
                QMetaObject::invokeMethod(chart, "Genera_mappa", Q_ARG(bool, false));
        }
    }
    accept();
}

void frmMagnitude::cmdCancel_Click()
{
    reject();
}
