// The limiting-magnitude dialog serving the three kinds of chart: the preselected entry, OK
// with and without a choice, Cancel, and the chart it sets and redraws.

#include "skycharts/frmMagnitude.h"

#include "controls/GraphButton/GraphButton.h"
#include "services/MessageBoxes.h"
#include "services/WindowRegistry.h"
#include "services/mLang.h"

#include <QComboBox>
#include <QLabel>

#include <gtest/gtest.h>

#include <memory>

namespace {

/// A chart as the dialog sees one: a star count and its redraws.
class FakeChart : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int gintNumStelle MEMBER count)

public:
    explicit FakeChart(const QString& name) { setObjectName(name); }
    Q_INVOKABLE void tmrLocalSky_Timer() { ++timerRedraws; }
    Q_INVOKABLE void Genera_mappa() { ++redraws; }
    Q_INVOKABLE void Genera_mappa(bool newTrack)
    {
        ++redraws;
        keptLabels = !newTrack;
    }

    int count = 0;
    int redraws = 0;
    int timerRedraws = 0;
    bool keptLabels = false;
};

struct Use
{
    const char* which;
    const char* window;
};

class MagnitudeDialog : public ::testing::TestWithParam<Use>
{
protected:
    void SetUp() override
    {
        m_chart = std::make_unique<FakeChart>(QString::fromLatin1(GetParam().window));
        WindowRegistry::instance().adopt(m_chart.get());
        m_dialog.gstrQualeMappa = QString::fromLatin1(GetParam().which);
        // The pass chart's menu makes the chart the dialog's owner.
        if (m_dialog.gstrQualeMappa == u"anteprima")
            m_dialog.setParent(m_chart.get(), m_dialog.windowFlags());
    }

    void open()
    {
        m_dialog.show();
        m_dialog.hide();
    }

    int redraws() const { return m_chart->redraws + m_chart->timerRedraws; }

    void TearDown() override { m_dialog.setParent(nullptr); }

    std::unique_ptr<FakeChart> m_chart;
    frmMagnitude m_dialog;
};

TEST_P(MagnitudeDialog, PreselectsTheChartsCountAndOkAppliesIt)
{
    m_chart->count = 5146;
    open();
    EXPECT_EQ(m_dialog.cmbMagnitudine->currentText(), QStringLiteral("mag. 6.0"));
    EXPECT_EQ(m_dialog.lblNumeroStelle->text(), QStringLiteral("5146"));
    emit m_dialog.cmbMagnitudine->activated(7);
    EXPECT_EQ(m_dialog.lblNumeroStelle->text(), QStringLiteral("293"));
    emit m_dialog.cmdOK->Click();
    EXPECT_EQ(m_chart->count, 293);
    EXPECT_EQ(redraws(), 1);
    if (m_dialog.gstrQualeMappa == u"locale") {
        EXPECT_EQ(m_chart->timerRedraws, 1);
    }
    if (m_dialog.gstrQualeMappa == u"anteprima") {
        EXPECT_TRUE(m_chart->keptLabels);
    }
}

TEST_P(MagnitudeDialog, OkWithoutAChoiceKeepsACountThatMatchesNoEntry)
{
    m_chart->count = 1234;
    open();
    EXPECT_EQ(m_dialog.cmbMagnitudine->currentIndex(), -1);
    EXPECT_EQ(m_dialog.lblNumeroStelle->text(), QStringLiteral("1234"));
    emit m_dialog.cmdOK->Click();
    EXPECT_EQ(m_chart->count, 1234);
}

TEST_P(MagnitudeDialog, CancelChangesNothing)
{
    m_chart->count = 9010;
    open();
    emit m_dialog.cmbMagnitudine->activated(11);
    emit m_dialog.cmdCancel->Click();
    EXPECT_EQ(m_chart->count, 9010);
    EXPECT_EQ(redraws(), 0);
}

TEST_P(MagnitudeDialog, IsWideEnoughForItsWholeTitle)
{
    open();
    EXPECT_EQ(m_dialog.windowTitle(), mLang::Testo_lingua(u"frmMagnitude", u"magnitudinelimite"));
    EXPECT_GE(m_dialog.width(), titleBarWidth(m_dialog.windowTitle()));
}

TEST(MagnitudeDialogTexts, EntriesShowTheMagnitudeWithTheUsersSeparator)
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    const frmMagnitude dialog;
    QLocale::setDefault(previous);
    ASSERT_EQ(dialog.cmbMagnitudine->count(), 12);
    EXPECT_EQ(dialog.cmbMagnitudine->itemText(0), QStringLiteral("mag. > 6,5"));
    EXPECT_EQ(dialog.cmbMagnitudine->itemText(2), QStringLiteral("mag. 6,0"));
    EXPECT_EQ(dialog.cmbMagnitudine->itemText(11), QStringLiteral("mag. 1,5"));
}

INSTANTIATE_TEST_SUITE_P(ThreeCharts, MagnitudeDialog,
                         ::testing::Values(Use{"locale", "frmLocalSky"},
                                           Use{"generale", "frmGeneralSky"},
                                           Use{"anteprima", "frmSkySat"}),
                         [](const auto& useInfo) { return std::string(useInfo.param.which); });

} // namespace

#include "frmMagnitudeTest.moc"
