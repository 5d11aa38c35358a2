// Night-vision mode recolours the program's windows and gives the colours back.

#include "services/mNight.h"

#include <QApplication>
#include <QMdiArea>
#include <QPalette>

#include <gtest/gtest.h>

namespace {

TEST(NightMode, SwitchesToTheDarkRedSchemeAndBackToTheSameSnapshot)
{
    QMdiArea workspace;
    const QBrush workspaceBrush = workspace.background();
    const QPalette original = QApplication::palette();

    // Program end without night mode: nothing changes.
    EXPECT_FALSE(mNight::Colori_notte_flag());
    mNight::Ripristina_colori_sistema();
    EXPECT_EQ(QApplication::palette(), original);

    mNight::Salva_colori_sistema();
    mNight::Applica_colori_notte();
    EXPECT_TRUE(mNight::Colori_notte_flag());
    const QPalette night = QApplication::palette();
    EXPECT_EQ(night.color(QPalette::Active, QPalette::Window), QColor(128, 0, 0));
    EXPECT_EQ(night.color(QPalette::Active, QPalette::Base), QColor(128, 0, 0));
    EXPECT_EQ(night.color(QPalette::Active, QPalette::Text), QColor(255, 0, 0));
    EXPECT_EQ(night.color(QPalette::Active, QPalette::WindowText), QColor(0, 0, 0));
    EXPECT_EQ(night.color(QPalette::Disabled, QPalette::Text), QColor(128, 128, 128));
    EXPECT_EQ(night.color(QPalette::Inactive, QPalette::Highlight), QColor(128, 0, 0));
    EXPECT_EQ(workspace.background().color(), QColor(0, 0, 0));

    // Off from the menu, then the program ends: both go back to the same snapshot.
    mNight::Ripristina_colori_sistema();
    EXPECT_EQ(QApplication::palette(), original);
    EXPECT_EQ(workspace.background(), workspaceBrush);
    mNight::Ripristina_colori_sistema();
    EXPECT_EQ(QApplication::palette(), original);
    EXPECT_EQ(workspace.background(), workspaceBrush);
}

TEST(NightMode, SchemeTableHoldsOnlyBlackRedsAndTheDisabledGrey)
{
    for (std::size_t k = 0; k < mNight::Colori_notte.size(); ++k) {
        const std::uint32_t value = mNight::Colori_notte[k];
        const bool red = value == 0 || value == 64 || value == 128 || value == 255;
        EXPECT_TRUE(red || (k == 17 && value == 0x808080)) << "entry " << k;
    }
}

} // namespace
