#include "services/WindowPlacement.h"

#include "services/Twips.h"
#include "services/mReg.h"

#include <QEvent>
#include <QHash>
#include <QLayout>
#include <QMdiSubWindow>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

/// Last top-left corner of each window by object name, kept by the window that owns them: the
/// places end with their main window, and another main window starts without any.
class PositionMemory : public QObject
{
public:
    using QObject::QObject;

    QHash<QString, QPoint> positions;
};

const char* const kMemoryName = "WindowPlacementMemory";
const char* const kKeeperName = "WindowPlacementKeeper";

/// The places remembered for the windows of `owner`, made with the first of them.
PositionMemory& memoryOf(QWidget& owner)
{
    auto* memory = owner.findChild<PositionMemory*>(QString::fromLatin1(kMemoryName),
                                                    Qt::FindDirectChildrenOnly);
    if (memory == nullptr) {
        memory = new PositionMemory(&owner);
        memory->setObjectName(QString::fromLatin1(kMemoryName));
    }
    return *memory;
}

/// Remembers where the user leaves a window when it hides (closing hides it first).
class PositionKeeper : public QObject
{
public:
    PositionKeeper(QWidget& window, PositionMemory& memory) : QObject(&window), m_memory(&memory)
    {
        setObjectName(QString::fromLatin1(kKeeperName));
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // A window hidden as its owner goes has nowhere left to keep its place.
        if (event->type() == QEvent::Hide && m_memory != nullptr) {
            if (auto* window = qobject_cast<QWidget*>(watched))
                m_memory->positions.insert(window->objectName(), window->pos());
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QPointer<PositionMemory> m_memory;
};

/// The MDI frame a document window moves and sizes with; null for a window without one.
QWidget* mdiFrameOf(const QWidget& window)
{
    return qobject_cast<QMdiSubWindow*>(window.parentWidget());
}

} // namespace

QRect fittedIntoArea(const QRect& frame, const QSize& area, const QSize& least)
{
    const int width = std::min(frame.width(), std::max(area.width(), least.width()));
    const int height = std::min(frame.height(), std::max(area.height(), least.height()));
    const int left = std::clamp(frame.left(), 0, std::max(0, area.width() - width));
    const int top = std::clamp(frame.top(), 0, std::max(0, area.height() - height));
    return {left, top, width, height};
}

void placeOverOwner(QWidget& window)
{
    if (!window.isWindow() || window.isVisible())
        return;
    QWidget* owner = window.parentWidget() != nullptr ? window.parentWidget()->window() : nullptr;
    if (owner == nullptr)
        return;
    if (window.findChild<PositionKeeper*>(QString::fromLatin1(kKeeperName),
                                          Qt::FindDirectChildrenOnly) != nullptr)
        return; // placed before: it reopens where it was hidden
    PositionMemory& memory = memoryOf(*owner);
    window.installEventFilter(new PositionKeeper(window, memory));
    const auto last = memory.positions.constFind(window.objectName());
    if (last != memory.positions.constEnd()) {
        window.move(*last);
        return;
    }
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

StoredGeometry::StoredGeometry(QString section, QSizeF defaultTwips)
    : m_section(std::move(section)), m_defaultTwips(defaultTwips)
{
}

double StoredGeometry::stored(const QString& key, double fallback) const
{
    bool ok = false;
    const double value =
        mReg::Leggi_registro(u"Quorvanel", m_section, key, QString::number(fallback)).toDouble(&ok);
    return ok && std::isfinite(value) ? value : fallback;
}

void StoredGeometry::restoreOnce(QWidget& window, bool keepPlaces)
{
    if (std::exchange(m_restored, true))
        return;
    QWidget* frame = mdiFrameOf(window);
    if (frame == nullptr)
        frame = &window;
    double width = m_defaultTwips.width();
    double height = m_defaultTwips.height();
    if (keepPlaces) {
        const double left = stored(QStringLiteral("Window_Left"), 0);
        const double top = stored(QStringLiteral("Window_Top"), 0);
        width = stored(QStringLiteral("Window_Width"), m_defaultTwips.width());
        height = stored(QStringLiteral("Window_Height"), m_defaultTwips.height());
        if (width <= 0 || height <= 0) {
            width = m_defaultTwips.width();
            height = m_defaultTwips.height();
        }
        frame->move(qRound(twips::toPixels(left)), qRound(twips::toPixels(top)));
    }
    frame->resize(qRound(twips::toPixels(width)), qRound(twips::toPixels(height)));
}

void StoredGeometry::save(const QWidget& window) const
{
    const QWidget* frame = mdiFrameOf(window);
    if (frame == nullptr)
        frame = &window;
    // A minimised window has no geometry worth keeping.
    if (frame->isMinimized() || window.isMinimized())
        return;
    const QRect g = frame->geometry();
    const auto value = [this](const char* key, int pixels) {
        return mReg::RegistryValue{m_section, QLatin1String(key),
                                   QString::number(qRound(twips::fromPixels(pixels)))};
    };
    // One write for the four values.
    mReg::writeValues(u"Quorvanel", {value("Window_Left", g.left()), value("Window_Top", g.top()),
                                     value("Window_Width", g.width()),
                                     value("Window_Height", g.height())});
}
