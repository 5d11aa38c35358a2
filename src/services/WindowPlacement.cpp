#include "services/WindowPlacement.h"

#include <QEvent>
#include <QHash>
#include <QLayout>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QScreen>
#include <QWidget>

namespace {

/// Last top-left corner of each window by object name, for this session.
QHash<QString, QPoint>& lastPositions()
{
    static QHash<QString, QPoint> positions;
    return positions;
}

/// Remembers where the user leaves a window when it hides (closing hides it first).
class PositionKeeper : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Hide) {
            if (auto* window = qobject_cast<QWidget*>(watched))
                lastPositions().insert(window->objectName(), window->pos());
        }
        return QObject::eventFilter(watched, event);
    }
};

const char* const kKeeperName = "WindowPlacementKeeper";

} // namespace

void placeOverOwner(QWidget& window)
{
    if (!window.isWindow() || window.isVisible())
        return;
    if (window.findChild<PositionKeeper*>(QString::fromLatin1(kKeeperName),
                                          Qt::FindDirectChildrenOnly) == nullptr) {
        auto* keeper = new PositionKeeper(&window);
        keeper->setObjectName(QString::fromLatin1(kKeeperName));
        window.installEventFilter(keeper);
    } else {
        return; // placed before: it reopens where it was hidden
    }
    const auto last = lastPositions().constFind(window.objectName());
    if (last != lastPositions().constEnd()) {
        window.move(*last);
        return;
    }
    const QWidget* owner =
        window.parentWidget() != nullptr ? window.parentWidget()->window() : nullptr;
    if (owner == nullptr)
        return;
    // The size it will show with: polished, its layout applied.
    window.ensurePolished();
    if (QLayout* layout = window.layout())
        layout->activate();
    window.adjustSize();
    QRect placed(QPoint(0, 0), window.frameGeometry().size());
    placed.moveCenter(owner->frameGeometry().center());
    if (const QScreen* screen = owner->screen()) {
        // Keep the title bar reachable on the owner's screen.
        const QRect available = screen->availableGeometry();
        placed.moveLeft(qBound(available.left(), placed.left(),
                               qMax(available.left(), available.right() - placed.width())));
        placed.moveTop(qBound(available.top(), placed.top(),
                              qMax(available.top(), available.bottom() - placed.height())));
    }
    window.move(placed.topLeft());
}
