#pragma once
// The size of a sky chart's document window. A chart window opened while another document
// window of the area is maximised opens maximised as well; its stored or design size is then
// the size it goes back to when restored, not a size forced on the maximised frame. Before the
// window has a size of its own (a cascade of the document area) it asks for its design size.

#include "services/WindowPlacement.h"

#include <QSize>
#include <QSizeF>
#include <QString>

class QWidget;

namespace skycharts {

/// A window size of `twips` [twips] in pixels.
[[nodiscard]] QSize designSize(QSizeF twips);

/// The stored size and place of a sky chart's window (StoredGeometry), applied at its first
/// showing as the geometry of its MDI frame when not maximised: a maximised frame stays
/// maximised and restores to it.
class ChartGeometry
{
public:
    ChartGeometry(QString section, QSizeF defaultTwips);

    /// The first call only; later calls leave the window as it is.
    void restoreOnce(QWidget& window, bool keepPlaces);
    void save(const QWidget& window) const { m_stored.save(window); }
    /// The design size [pixels].
    [[nodiscard]] QSize defaultSize() const { return designSize(m_defaultTwips); }

private:
    StoredGeometry m_stored;
    QSizeF m_defaultTwips;
    bool m_restored = false;
};

} // namespace skycharts
