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

} // namespace
