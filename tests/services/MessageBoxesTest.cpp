// The program's message boxes are wide enough for their title, not only for a short text.

#include "services/MessageBoxes.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>

#include <gtest/gtest.h>

namespace {

TEST(MessageBoxes, EveryBoxShownFitsItsTitleOnceWhateverMadeIt)
{
    fitEveryMessageToTitle();
    const QString title = QStringLiteral("Quorvanel: clock not synchronised");
    // As QMessageBox's static functions make one: nothing of ours touches it before it shows.
    QMessageBox box(QMessageBox::Warning, title, QStringLiteral("Refused."), QMessageBox::Ok);
    box.open();
    QCoreApplication::processEvents();
    EXPECT_GE(box.width(), titleBarWidth(title));
    const int width = box.width();
    box.hide();
    box.open();
    QCoreApplication::processEvents();
    EXPECT_EQ(box.width(), width) << "fitted once, not widened at every showing";

    // A text longer than the title keeps the box as wide as the text needs.
    const QString text(200, u'x');
    QMessageBox wide(QMessageBox::Information, QStringLiteral("Q"), text, QMessageBox::Ok);
    wide.open();
    QCoreApplication::processEvents();
    EXPECT_GE(wide.width(), titleBarWidth(QStringLiteral("Q")));
    EXPECT_GE(wide.width(), wide.fontMetrics().horizontalAdvance(QString(40, u'x')));
}

} // namespace
