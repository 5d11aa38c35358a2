// Night-vision mode recolours the program's windows and gives the colours back.

#include "services/mNight.h"

#include <QApplication>
#include <QMdiArea>
#include <QPalette>

#include <gtest/gtest.h>

#include <cmath>

namespace {

/// Relative luminance of an sRGB colour (WCAG 2.1).
double luminance(const QColor& colour)
{
    const auto linear = [](double channel) {
        return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

/// WCAG contrast ratio of two colours, 1 to 21.
double contrast(const QColor& a, const QColor& b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TEST(NightMode, TextsReadAtFourAndAHalfToOneAndDisabledControlsLookDimmer)
{
    const QPalette night = mNight::nightPalette(QPalette(QColor(240, 240, 240)));
    // Text on the background it is drawn on.
    const std::pair<QPalette::ColorRole, QPalette::ColorRole> pairs[] = {
        {QPalette::WindowText, QPalette::Window},   {QPalette::Text, QPalette::Base},
        {QPalette::Text, QPalette::AlternateBase},  {QPalette::ButtonText, QPalette::Button},
        {QPalette::HighlightedText, QPalette::Highlight},
        {QPalette::ToolTipText, QPalette::ToolTipBase}, {QPalette::Link, QPalette::Base},
    };
    constexpr double kReadable = 4.5;    // WCAG AA for body text
    constexpr double kDistinct = 2.0;    // disabled text against enabled text
    constexpr double kVisible = 1.5;     // disabled text against its background
    constexpr double kMarkVisible = 3.0; // a selection (today's date in the calendar) on the list
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        for (const auto& [text, background] : pairs) {
            EXPECT_GE(contrast(night.color(group, text), night.color(group, background)), kReadable)
                << "group " << group << " text role " << text << " on " << background;
        }
        EXPECT_GE(contrast(night.color(group, QPalette::Highlight), night.color(group, QPalette::Base)),
                  kMarkVisible);
    }
    for (const QPalette::ColorRole text : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        const QColor disabled = night.color(QPalette::Disabled, text);
        EXPECT_GE(contrast(disabled, night.color(QPalette::Active, text)), kDistinct) << text;
        EXPECT_GE(contrast(disabled, night.color(QPalette::Disabled, QPalette::Window)), kVisible)
            << text;
    }
    // Only the scheme's shades: no green or blue to spoil dark-adapted eyes.
    for (int group = 0; group < QPalette::NColorGroups; ++group) {
        for (int role = 0; role < QPalette::NColorRoles; ++role) {
            if (role == QPalette::NoRole)
                continue;
            const QColor c = night.color(static_cast<QPalette::ColorGroup>(group),
                                         static_cast<QPalette::ColorRole>(role));
            EXPECT_EQ(c.green(), 0) << group << ' ' << role;
            EXPECT_EQ(c.blue(), 0) << group << ' ' << role;
        }
    }
}

TEST(NightMode, SwitchesToTheDarkRedSchemeAndBackToTheSameSnapshot)
{
    QMdiArea workspace;
    const QBrush workspaceBrush = workspace.background();
    const QPalette original = QApplication::palette();

    // Program end without night mode: nothing changes. (Only a fresh process has never
    // used night mode; CTest runs every test in one.)
    if (!mNight::Colori_notte_flag()) {
        QApplication::setPalette(QPalette(QColor(10, 20, 30))); // a theme change meanwhile
        const QPalette themed = QApplication::palette();
        mNight::Ripristina_colori_sistema();
        EXPECT_EQ(QApplication::palette(), themed);
        QApplication::setPalette(original);
    }

    mNight::Salva_colori_sistema();
    mNight::Applica_colori_notte();
    EXPECT_TRUE(mNight::Colori_notte_flag());
    const QPalette night = QApplication::palette();
    EXPECT_EQ(night, mNight::nightPalette(original));
    EXPECT_EQ(night.color(QPalette::Active, QPalette::Text), QColor(255, 0, 0));
    EXPECT_EQ(workspace.background().color(), QColor(0, 0, 0));

    // Off from the menu, then the program ends: both go back to the same snapshot.
    mNight::Ripristina_colori_sistema();
    EXPECT_EQ(QApplication::palette(), original);
    EXPECT_EQ(workspace.background(), workspaceBrush);
    mNight::Ripristina_colori_sistema();
    EXPECT_EQ(QApplication::palette(), original);
    EXPECT_EQ(workspace.background(), workspaceBrush);
}

} // namespace
