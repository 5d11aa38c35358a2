#include "services/MessageBoxes.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QSpacerItem>

int titleBarWidth(const QString& title)
{
    // Window managers commonly draw titles in a bold face of the desktop font.
    QFont font = QApplication::font();
    font.setBold(true);
    return QFontMetrics(font).horizontalAdvance(title) + kTitleBarAllowancePx;
}

namespace {

const char* const kFittedProperty = "quorvanelFittedToTitle";

/// Fits each message box just before it fixes its size, which it does when shown.
class MessageFitter : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show) {
            if (auto* box = qobject_cast<QMessageBox*>(watched))
                fitMessageToTitle(*box);
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void fitEveryMessageToTitle()
{
    static MessageFitter* fitter = nullptr;
    if (fitter != nullptr || QCoreApplication::instance() == nullptr)
        return;
    fitter = new MessageFitter(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(fitter);
}

void fitMessageToTitle(QMessageBox& box)
{
    // The layout is rebuilt when the text or the buttons change; a spacer in the current one
    // is what counts.
    if (box.layout() != nullptr && box.layout()->property(kFittedProperty).toBool())
        return;
    // QMessageBox fixes its own size from its layout when it is shown, so a minimum width is
    // overridden; a spacer row across the layout widens it instead.
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (grid == nullptr)
        return;
    grid->addItem(new QSpacerItem(titleBarWidth(box.windowTitle()), 0, QSizePolicy::Minimum,
                                  QSizePolicy::Minimum),
                  grid->rowCount(), 0, 1, grid->columnCount());
    grid->setProperty(kFittedProperty, true);
}

QMessageBox::StandardButton showMessage(QWidget* parent, QMessageBox::Icon icon,
                                        const QString& title, const QString& text,
                                        QMessageBox::StandardButtons buttons,
                                        QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(icon, title, text, buttons, parent);
    box.setObjectName(QStringLiteral("message"));
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    fitMessageToTitle(box);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

QMessageBox* openMessage(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                         const QString& text, QMessageBox::StandardButtons buttons)
{
    auto* box = new QMessageBox(icon, title, text, buttons, parent);
    box->setObjectName(QStringLiteral("message"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    fitMessageToTitle(*box);
    box->open();
    return box;
}
