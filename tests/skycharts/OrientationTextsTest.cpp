// The orientation texts against the charts: for every orientation item of the local sky and
// pass-chart menus, and every entry of the options dialog's orientation lists, the compass
// letters the chart and its printout draw agree with what the text says of them.

#include "DrawnTexts.h"
#include "LocalSkyFixture.h"

#include "dialogs/frmSettings.h"
#include "mainwindow/MenuBindings.h"
#include "skycharts/LocalSkyChart.h"
#include "skycharts/LocalSkyPrintout.h"
#include "skycharts/PassChart.h"
#include "skycharts/PassChartPrintout.h"

#include "services/PaintDeviceSurface.h"
#include "services/mLang.h"

#include <QComboBox>
#include <QLabel>

#include <map>
#include <optional>
#include <span>

namespace {

const QSize kChartPixels{600, 600};
/// An A4 page at 96 dots per inch.
const QSize kPagePixels{794, 1123};

/// The compass letters at the four sides of a drawing.
struct Compass
{
    QString top, bottom, left, right;
};

/// Where the letters "N", "E", "S" and "W" were drawn; empty when one of them is missing.
std::optional<Compass> compassOf(const std::vector<DrawnText>& texts)
{
    std::map<QString, QPointF> letters;
    for (const DrawnText& drawn : texts) {
        if (drawn.text == u"N" || drawn.text == u"E" || drawn.text == u"S" || drawn.text == u"W")
            letters.emplace(drawn.text, drawn.at);
    }
    if (letters.size() != 4)
        return std::nullopt;
    Compass c;
    const auto extreme = [&letters](auto better) {
        auto best = letters.begin();
        for (auto it = letters.begin(); it != letters.end(); ++it)
            if (better(it->second, best->second))
                best = it;
        return best->first;
    };
    c.top = extreme([](QPointF a, QPointF b) { return a.y() < b.y(); });
    c.bottom = extreme([](QPointF a, QPointF b) { return a.y() > b.y(); });
    c.left = extreme([](QPointF a, QPointF b) { return a.x() < b.x(); });
    c.right = extreme([](QPointF a, QPointF b) { return a.x() > b.x(); });
    return c;
}

/// What a text says of a chart it names: "Facing south" puts S at the bottom, "South at the
/// top" puts S at the top. Fails the test when the text says neither.
void expectTextAgrees(const QString& caption, const Compass& drawn, const std::string& where)
{
    const QString text = QString(caption).remove(u'&').toLower();
    const std::pair<const char*, const char*> words[] = {
        {"north", "N"}, {"south", "S"}, {"east", "E"}, {"west", "W"}};
    QString named;
    for (const auto& [word, letter] : words) {
        if (text.contains(QString::fromLatin1(word))) {
            EXPECT_TRUE(named.isEmpty())
                << where << ": \"" << caption.toStdString() << "\" names two directions";
            named = QString::fromLatin1(letter);
        }
    }
    ASSERT_FALSE(named.isEmpty()) << where << ": \"" << caption.toStdString()
                                  << "\" names no direction";
    if (text.contains(u"facing")) {
        EXPECT_EQ(drawn.bottom, named) << where << ": \"" << caption.toStdString() << "\" but "
                                       << drawn.bottom.toStdString() << " is drawn at the bottom";
    } else if (text.contains(u"top")) {
        EXPECT_EQ(drawn.top, named) << where << ": \"" << caption.toStdString() << "\" but "
                                    << drawn.top.toStdString() << " is drawn at the top";
    } else {
        ADD_FAILURE() << where << ": \"" << caption.toStdString()
                      << "\" says neither the direction faced nor the one at the top";
    }
}

class OrientationTextsTest : public LocalSkyTest
{
protected:
    static Compass drawnOnLocalSky(const LocalSkyDisplay& display)
    {
        TextRecordingDevice device(kChartPixels);
        {
            PaintDeviceSurface surface(device);
            const skycharts::LocalSkyScene scene =
                skycharts::sceneFromOptions(display, Impostazioni, skycharts::fullViewBox(1.0), 50);
            skycharts::drawLocalSkyChart(surface, kChartPixels, scene);
        }
        return compassOrFail(device, "local sky");
    }

    static Compass printedForLocalSky(const LocalSkyDisplay& display)
    {
        TextRecordingDevice device(kPagePixels);
        {
            PaintDeviceSurface page(device);
            skycharts::drawLocalSkyPrintout(page, display, 50, Data_attuale, false);
        }
        return compassOrFail(device, "local sky printout");
    }

    static Compass drawnOnPassChart(const PassChartDisplay& display)
    {
        TextRecordingDevice device(kChartPixels);
        {
            PaintDeviceSurface surface(device);
            skycharts::drawPassChart(surface, kChartPixels,
                                     skycharts::passChartScene(display, Impostazioni, 50));
        }
        return compassOrFail(device, "pass chart");
    }

    static Compass printedForPassChart(const PassChartDisplay& display)
    {
        TextRecordingDevice device(kPagePixels);
        {
            PaintDeviceSurface page(device);
            skycharts::drawPassChartPrintout(page, display, Impostazioni, 50,
                                             skycharts::PassTrack{}, {Etichetta_traccia{}},
                                             skycharts::PassChartRequest{}, false);
        }
        return compassOrFail(device, "pass chart printout");
    }

    static Compass compassOrFail(const TextRecordingDevice& device, const char* what)
    {
        const std::optional<Compass> compass = compassOf(device.texts());
        EXPECT_TRUE(compass.has_value()) << what << " draws no four compass letters";
        return compass.value_or(Compass{});
    }

    /// The caption of the orientation list and its entry `index`, as one phrase.
    static QString optionsPhrase(const frmSettings& settings, const char* label, const char* list,
                                 int index)
    {
        const auto* caption = settings.findChild<QLabel*>(QString::fromLatin1(label));
        const auto* entries = settings.findChild<QComboBox*>(QString::fromLatin1(list));
        if (caption == nullptr || entries == nullptr || index >= entries->count()) {
            ADD_FAILURE() << "the options dialog has no " << label << " or " << list;
            return {};
        }
        return caption->text() + u' ' + entries->itemText(index);
    }

    /// Checks each orientation item of a chart's menu against what the chart and its printout
    /// draw for that orientation; returns how many items there were.
    template <class Display>
    static int checkMenuItems(std::span<const MarkBinding<Display>> marks,
                              Compass (*drawn)(const Display&), Compass (*printed)(const Display&))
    {
        int items = 0;
        for (const MarkBinding<Display>& mark : marks) {
            if (mark.orientation < 0)
                continue;
            ++items;
            const QString name = mark.item.toString();
            Display display;
            display.orientamento = static_cast<SkyOrientation>(mark.orientation);
            const QString caption = mLang::Testo_lingua(u"MDIForm1", name);
            expectTextAgrees(caption, drawn(display), name.toStdString() + " on the chart");
            expectTextAgrees(caption, printed(display), name.toStdString() + " on paper");
        }
        return items;
    }
};

} // namespace

TEST_F(OrientationTextsTest, LocalSkyMenuItemsNameWhatTheChartAndThePrintoutDraw)
{
    EXPECT_EQ(checkMenuItems(localSkyMarks(), &drawnOnLocalSky, &printedForLocalSky), 4);
}

TEST_F(OrientationTextsTest, PassChartMenuItemsNameWhatTheChartAndThePrintoutDraw)
{
    EXPECT_EQ(checkMenuItems(passChartMarks(), &drawnOnPassChart, &printedForPassChart), 4);
}

TEST_F(OrientationTextsTest, OptionsDialogListsNameWhatTheChartsOpenWith)
{
    const frmSettings settings;
    for (int stored = 0; stored <= 3; ++stored) {
        const std::string which = "stored orientation " + std::to_string(stored);
        Opzioni options = Impostazioni;
        options.Cielo_locale_orientamento = static_cast<std::int16_t>(stored);
        options.Cielo_anteprima_orientamento = static_cast<std::int16_t>(stored);
        expectTextAgrees(
            optionsPhrase(settings, "lblLocalSkyOrientamento", "cmbLocalSkyOrientamento", stored),
            drawnOnLocalSky(seededLocalSky(LocalSkyDisplay{}, options)), which + ", local sky");
        expectTextAgrees(
            optionsPhrase(settings, "lblSkySatOrientamento", "cmbSkySatOrientamento", stored),
            drawnOnPassChart(seededPassChart(options)), which + ", pass chart");
    }
}
