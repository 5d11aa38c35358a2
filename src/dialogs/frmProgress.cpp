#include "dialogs/frmProgress.h"

#include "common/gates.h"
#include "controls/GraphButton/GraphButton.h"
#include "controls/ProgressBar/ProgressBar.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

namespace {

constexpr int kBarWidthPx = 320;
constexpr int kStopPictureSizePx = 16;

// The picture of the Stop button: a red square with a light rim.
QPixmap stopPicture(qreal devicePixelRatio)
{
    QPixmap picture(QSize(kStopPictureSizePx, kStopPictureSizePx) * devicePixelRatio);
    picture.setDevicePixelRatio(devicePixelRatio);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(120, 0, 0), 1));
    painter.setBrush(QColor(210, 30, 30));
    painter.drawRoundedRect(QRectF(2.5, 2.5, 11, 11), 2, 2);
    return picture;
}

} // namespace

frmProgress::frmProgress(QWidget* parent)
    : QWidget(parent, Qt::Dialog)
    , lblTask(new QLabel(QStringLiteral("Task"), this))
    , ProgressBar1(new ProgressBar(this))
    , cmdCancel(new GraphButton(this))
{
    setObjectName(QStringLiteral("frmProgress"));
    lblTask->setObjectName(QStringLiteral("lblTask"));
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setMinimumWidth(kBarWidthPx);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    // A fixed caption: the Stop button reads the same in every language.
    cmdCancel->setCaption(QStringLiteral("&Stop"));
    cmdCancel->setPicture(stopPicture(devicePixelRatio()));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblTask);
    layout->addWidget(ProgressBar1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connectControls();
    setWindowTitle(QGuiApplication::applicationDisplayName());
}

void frmProgress::connectControls()
{
    connect(cmdCancel, &GraphButton::Click, this, &frmProgress::cmdCancel_Click);
}

void frmProgress::cmdCancel_Click()
{
    pflgArresta = true;
}

void frmProgress::closeEvent(QCloseEvent* event)
{
    // Guard: the user closing the window from its title bar while the computation still
    // drives it would take the window from under the computation. It asks to stop instead;
    // the computation closes the window itself when it has stopped.
    if (event->spontaneous()) {
        pflgArresta = true;
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}
