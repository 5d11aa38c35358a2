#include "controls/GraphButton/GraphButton.h"

#include "WidgetTestSupport.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTableWidget>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <memory>

using controls::resolveColour;
using controls_test::hex;
using controls_test::rendered;

namespace {

constexpr QSize kButtonSize(90, 30);

class GraphButtonTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        button.setCaption(QStringLiteral("OK"));
        button.resize(kButtonSize);
    }

    std::string colour(quint32 reference) const
    {
        return hex(resolveColour(reference, button.palette()));
    }
    // The outermost top-left pixel: button highlight when raised, 3-D dark shadow when sunk.
    std::string cornerPixel() { return hex(rendered(button).pixelColor(0, 0)); }

    GraphButton button;
    QSignalSpy clicks{&button, &GraphButton::Click};
    QSignalSpy mouseDowns{&button, &GraphButton::MouseDown};
    QSignalSpy mouseUps{&button, &GraphButton::MouseUp};
};

const QPoint kInside(45, 15);

} // namespace

TEST_F(GraphButtonTest, LeftClickInsideClicksOnceAndReportsBothMouseEvents)
{
    QTest::mouseClick(&button, Qt::LeftButton, {}, kInside);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(mouseDowns.count(), 1);
    EXPECT_EQ(mouseUps.count(), 1);
}

TEST_F(GraphButtonTest, ButtonSinksWhileHeldAndRisesOnRelease)
{
    EXPECT_EQ(cornerPixel(), colour(controls::kButtonHighlight));
    QTest::mousePress(&button, Qt::LeftButton, {}, kInside);
    EXPECT_EQ(cornerPixel(), colour(controls::kDarkShadow3D));
    EXPECT_EQ(hex(rendered(button).pixelColor(1, 1)), colour(controls::kButtonShadow));
    QTest::mouseRelease(&button, Qt::LeftButton, {}, kInside);
    EXPECT_EQ(cornerPixel(), colour(controls::kButtonHighlight));
}

TEST_F(GraphButtonTest, ReleaseOutsideRisesAndReportsMouseUpWithoutClick)
{
    for (const QPoint outside : {QPoint(kButtonSize.width(), 15), QPoint(-1, 15),
                                 QPoint(45, kButtonSize.height())}) {
        QTest::mousePress(&button, Qt::LeftButton, {}, kInside);
        QTest::mouseRelease(&button, Qt::LeftButton, {}, outside);
    }
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_EQ(mouseUps.count(), 3);
    EXPECT_EQ(cornerPixel(), colour(controls::kButtonHighlight));
}

TEST_F(GraphButtonTest, RightButtonNeitherSinksNorClicksButReportsMouseEvents)
{
    QTest::mousePress(&button, Qt::RightButton, {}, kInside);
    EXPECT_EQ(cornerPixel(), colour(controls::kButtonHighlight));
    QTest::mouseRelease(&button, Qt::RightButton, {}, kInside);
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_EQ(mouseDowns.count(), 1);
    EXPECT_EQ(mouseUps.count(), 1);
    EXPECT_EQ(mouseUps.first().at(0).value<Qt::MouseButton>(), Qt::RightButton);
}

TEST_F(GraphButtonTest, DoubleClickActsAsTwoClicks)
{
    // The window system sends press, release, double click, release.
    QTest::mouseClick(&button, Qt::LeftButton, {}, kInside);
    QTest::mouseDClick(&button, Qt::LeftButton, {}, kInside);
    QTest::mouseRelease(&button, Qt::LeftButton, {}, kInside);
    EXPECT_EQ(clicks.count(), 2);
    EXPECT_EQ(mouseDowns.count(), 2);
}

TEST_F(GraphButtonTest, HeldSpaceClicksOnceAndKeepsTheButtonSunkUntilReleased)
{
    QTest::keyPress(&button, Qt::Key_Space);
    EXPECT_EQ(clicks.count(), 1);
    for (int repeat = 0; repeat < 3; ++repeat) {
        // The window system repeats a held key as auto-repeat release/press pairs.
        QKeyEvent up(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), true);
        QApplication::sendEvent(&button, &up);
        QKeyEvent down(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), true);
        QApplication::sendEvent(&button, &down);
    }
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(cornerPixel(), colour(controls::kDarkShadow3D));
    QTest::keyRelease(&button, Qt::Key_Space);
    EXPECT_EQ(cornerPixel(), colour(controls::kButtonHighlight));
    QTest::keyClick(&button, Qt::Key_Space);
    EXPECT_EQ(clicks.count(), 2);
}

TEST_F(GraphButtonTest, EnterClicksOncePerKeyStrokeAndOtherKeysDoNot)
{
    QTest::keyClick(&button, Qt::Key_Return);
    QTest::keyClick(&button, Qt::Key_Enter);
    QTest::keyClick(&button, Qt::Key_A);
    QTest::keyClick(&button, Qt::Key_Escape);
    EXPECT_EQ(clicks.count(), 2);
}

TEST_F(GraphButtonTest, PictureSizeModesSetTheDrawnSize)
{
    button.setPictureSize(GraphButton::kPicture48);
    EXPECT_EQ(QSize(button.PictureWidth(), button.PictureHeight()), QSize(48, 48));
    button.setPictureSize(GraphButton::kPictureOwnSize);
    EXPECT_EQ(QSize(button.PictureWidth(), button.PictureHeight()), QSize(32, 32))
        << "own size without a picture";
    button.setPictureSize(7);
    EXPECT_EQ(button.PictureSize(), 7);
    EXPECT_EQ(QSize(button.PictureWidth(), button.PictureHeight()), QSize(32, 32));

    button.setPictureSize(GraphButton::kPictureOwnSize);
    button.setPicture(QPixmap(20, 12));
    EXPECT_EQ(QSize(button.PictureWidth(), button.PictureHeight()), QSize(20, 12));
    button.setPicture(QPixmap());
    EXPECT_EQ(QSize(button.PictureWidth(), button.PictureHeight()), QSize(32, 32))
        << "own size after the picture is removed";
}

TEST_F(GraphButtonTest, PictureShiftsOnePixelDownRightWhilePressed)
{
    QPixmap red(16, 16);
    red.fill(Qt::red);
    button.setCaption(QString());
    button.setPicture(red);
    // Centred in the 82 x 22 content: left 4 + 33 = 37, top 4 + 3 = 7.
    const QPoint topLeft(37, 7);
    QImage image = rendered(button);
    EXPECT_EQ(hex(image.pixelColor(topLeft)), hex(QColor(Qt::red)));
    EXPECT_NE(hex(image.pixelColor(topLeft - QPoint(1, 1))), hex(QColor(Qt::red)));

    QTest::mousePress(&button, Qt::LeftButton, {}, kInside);
    image = rendered(button);
    EXPECT_NE(hex(image.pixelColor(topLeft)), hex(QColor(Qt::red)));
    EXPECT_EQ(hex(image.pixelColor(topLeft + QPoint(1, 1))), hex(QColor(Qt::red)));
    EXPECT_EQ(hex(image.pixelColor(topLeft + QPoint(16, 16))), hex(QColor(Qt::red)));
}

TEST_F(GraphButtonTest, NoSizeCutsTheCaptionAndOnlyAButtonWithoutOneShrinksToTenPixels)
{
    button.resize(4, 6);
    EXPECT_EQ(button.size(), button.wholeCaptionSize(QStringLiteral("OK")));

    // In a layout given less room than it asks for, at a desktop font larger than Qt's.
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* list = new QTableWidget(&window);
    list->setMinimumHeight(200);
    auto* help = new GraphButton(&window);
    layout->addWidget(list);
    layout->addWidget(help);
    help->setCaption(QStringLiteral("Help"));
    QFont large = window.font();
    large.setPointSize(14);
    window.setFont(large);
    window.show();
    window.resize(40, 150);
    QCoreApplication::processEvents();
    EXPECT_TRUE(help->width() >= help->wholeCaptionSize(QStringLiteral("Help")).width() &&
                help->height() >= help->wholeCaptionSize(QStringLiteral("Help")).height())
        << help->width() << " x " << help->height();

    // A size its owner fixes too small is widened to the caption, and stays fixed.
    help->setFixedSize(20, 10);
    help->setCaption(QStringLiteral("Help"));
    EXPECT_EQ(help->minimumSize(), help->wholeCaptionSize(QStringLiteral("Help")));
    EXPECT_EQ(help->maximumSize(), help->minimumSize());

    button.setCaption(QString());
    button.resize(4, 6);
    EXPECT_EQ(button.size(), QSize(10, 10));
}

namespace {

// A window with a text box that has the focus and three buttons, as the dialogs use them.
class GraphButtonWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(edit);
        for (GraphButton* button : {ok, cancel, help})
            layout->addWidget(button);
        ok->setDefault(true);
        cancel->setCancel(true);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        edit->setFocus();
    }

    QWidget window;
    QLineEdit* edit = new QLineEdit;
    GraphButton* ok = new GraphButton;
    GraphButton* cancel = new GraphButton;
    GraphButton* help = new GraphButton;
    QSignalSpy okClicks{ok, &GraphButton::Click};
    QSignalSpy cancelClicks{cancel, &GraphButton::Click};
    QSignalSpy helpClicks{help, &GraphButton::Click};
};

} // namespace

TEST_F(GraphButtonWindowTest, EnterAndEscAnywhereClickTheDefaultAndCancelButtons)
{
    QTest::keyClick(edit, Qt::Key_Return);
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_EQ(okClicks.count(), 1);
    EXPECT_EQ(cancelClicks.count(), 1);
    EXPECT_EQ(helpClicks.count(), 0);
}

TEST_F(GraphButtonWindowTest, EnterWithAModifierIsLeftToTheWindow)
{
    QTest::keyClick(edit, Qt::Key_Return, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Escape, Qt::ShiftModifier);
    QTest::keyClick(edit, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(okClicks.count(), 1) << "only the keypad's own Enter";
    EXPECT_EQ(cancelClicks.count(), 0);
}

TEST_F(GraphButtonWindowTest, AnOpenDropDownListTakesEnterAndEscFirst)
{
    auto* list = new QComboBox;
    list->addItems({QStringLiteral("1 min"), QStringLiteral("5 min"), QStringLiteral("10 min")});
    window.layout()->addWidget(list);
    list->show();
    list->setFocus();
    list->showPopup();
    ASSERT_TRUE(list->view()->isVisible());
    QTest::keyClick(list->view(), Qt::Key_Down);
    QTest::keyClick(list->view(), Qt::Key_Return);
    EXPECT_EQ(list->currentIndex(), 1);
    EXPECT_FALSE(list->view()->isVisible());
    list->showPopup();
    QTest::keyClick(list->view(), Qt::Key_Escape);
    EXPECT_FALSE(list->view()->isVisible());
    EXPECT_EQ(okClicks.count(), 0);
    EXPECT_EQ(cancelClicks.count(), 0);
    // The closed list leaves Enter and Esc to the window.
    QTest::keyClick(list, Qt::Key_Return);
    QTest::keyClick(list, Qt::Key_Escape);
    EXPECT_EQ(okClicks.count(), 1);
    EXPECT_EQ(cancelClicks.count(), 1);
}

TEST_F(GraphButtonWindowTest, ACellBeingEditedTakesEnterAndEscFirst)
{
    auto* table = new QTableWidget(2, 1);
    window.layout()->addWidget(table);
    table->show();
    table->setItem(0, 0, new QTableWidgetItem);
    table->editItem(table->item(0, 0));
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, QStringLiteral("example.org/a.txt"));
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents(); // the cell takes the text after the key
    EXPECT_EQ(table->item(0, 0)->text(), QStringLiteral("example.org/a.txt"));
    EXPECT_EQ(okClicks.count(), 0);

    table->setItem(1, 0, new QTableWidgetItem(QStringLiteral("kept")));
    table->editItem(table->item(1, 0));
    editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, QStringLiteral("dropped"));
    QTest::keyClick(editor, Qt::Key_Escape);
    QCoreApplication::processEvents();
    EXPECT_EQ(table->item(1, 0)->text(), QStringLiteral("kept"));
    EXPECT_EQ(cancelClicks.count(), 0);
}

TEST(GraphButtonDocumentWindow, EnterInOneDocumentWindowClicksOnlyItsOwnDefaultButton)
{
    QMdiArea area;
    struct Form
    {
        QWidget* form = new QWidget;
        QLineEdit* edit = new QLineEdit(form);
        GraphButton* ok = new GraphButton(form);
    };
    Form first;
    Form second;
    first.ok->setDefault(true);
    second.ok->setDefault(true);
    area.addSubWindow(first.form);
    area.addSubWindow(second.form);
    area.show();
    QSignalSpy firstClicks(first.ok, &GraphButton::Click);
    QSignalSpy secondClicks(second.ok, &GraphButton::Click);
    QTest::keyClick(second.edit, Qt::Key_Return);
    EXPECT_EQ(firstClicks.count(), 0);
    EXPECT_EQ(secondClicks.count(), 1);
}

TEST_F(GraphButtonWindowTest, FocusedButtonTakesEnterItself)
{
    help->setFocus();
    QTest::keyClick(help, Qt::Key_Return);
    EXPECT_EQ(helpClicks.count(), 1);
    EXPECT_EQ(okClicks.count(), 0);
}

TEST_F(GraphButtonWindowTest, DisabledOrNoLongerDefaultButtonIgnoresEnter)
{
    ok->setEnabled(false);
    QTest::keyClick(edit, Qt::Key_Return);
    ok->setEnabled(true);
    ok->setDefault(false);
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(okClicks.count(), 0);
}

TEST_F(GraphButtonWindowTest, FocusShowsDarkOuterRingAndLosingItRaisesAHeldButton)
{
    help->setFocus();
    EXPECT_EQ(hex(rendered(*help).pixelColor(0, 0)),
              hex(resolveColour(controls::kDarkShadow3D, help->palette())));
    QTest::keyPress(help, Qt::Key_Space);
    edit->setFocus();
    EXPECT_EQ(hex(rendered(*help).pixelColor(0, 0)),
              hex(resolveColour(controls::kButtonHighlight, help->palette())));
    // The Space released in the text box must not leave the button deaf to its next key.
    help->setFocus();
    QTest::keyClick(help, Qt::Key_Return);
    EXPECT_EQ(helpClicks.count(), 2);
}

TEST_F(GraphButtonWindowTest, PressedDefaultButtonKeepsItsRaisedBevel)
{
    QTest::mousePress(ok, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(hex(rendered(*ok).pixelColor(0, 0)),
              hex(resolveColour(controls::kButtonHighlight, ok->palette())));
    QTest::mouseRelease(ok, Qt::LeftButton, {}, QPoint(5, 5));
}
