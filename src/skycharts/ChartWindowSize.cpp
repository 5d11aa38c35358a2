#include "skycharts/ChartWindowSize.h"

#include "services/Twips.h"

#include <QMdiSubWindow>
#include <QWidget>

#include <utility>

namespace skycharts {

QSize designSize(QSizeF twips)
{
    return {qRound(twips::toPixels(twips.width())), qRound(twips::toPixels(twips.height()))};
}

ChartGeometry::ChartGeometry(QString section, QSizeF defaultTwips)
    : m_stored(std::move(section), defaultTwips), m_defaultTwips(defaultTwips)
{
}

void ChartGeometry::restoreOnce(QWidget& window, bool keepPlaces)
{
    if (std::exchange(m_restored, true))
        return;
    auto* frame = qobject_cast<QMdiSubWindow*>(window.parentWidget());
    if (frame == nullptr || !frame->isMaximized()) {
        m_stored.restoreOnce(window, keepPlaces);
        return;
    }
    // A maximised frame restores to the geometry it had when it was maximised: give it the
    // stored one first, then maximise it again.
    frame->showNormal();
    m_stored.restoreOnce(window, keepPlaces);
    frame->showMaximized();
}

} // namespace skycharts
