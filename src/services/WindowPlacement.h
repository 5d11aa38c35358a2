#pragma once
// Where a window that is not a child of the main window's document area opens: over the main
// window that owns it, centred on it the first time, where the user left it afterwards (for
// the rest of the session, also when the window was unloaded meanwhile). Where a document
// window opens from one session to the next: the size and place it keeps in the option store;
// and how one is kept inside the document area.

#include <QRect>
#include <QSize>
#include <QSizeF>
#include <QString>

class QWidget;

/// Places a top-level `window` before it is shown: where a window of its object name and owner
/// was last seen while that owner lives, otherwise centred on its owner's window (its parent
/// widget's window), kept on the owner's screen. A window already on screen, one inside
/// another window, or one without an owner is left where it is.
void placeOverOwner(QWidget& window);

/// Where a document window of `area` sized `frame` goes so that it lies inside `area`: no larger
/// than the area, moved left and up only as far as needed, never above or left of it. It is
/// never made smaller than `least` (its minimum size, below which its captions are cut): what
/// then lies beyond the area is reached by scrolling the area.
[[nodiscard]] QRect fittedIntoArea(const QRect& frame, const QSize& area, const QSize& least = {});

/// The size and place of a document window kept in the option store (application
/// "Quorvanel") between sessions, in twips under the window's own section: read the first time
/// the window shows, written when it closes. Both go on the window's MDI frame when it has one.
class StoredGeometry
{
public:
    StoredGeometry(QString section, QSizeF defaultTwips);

    /// The first call only: the stored size and place when `keepPlaces` (the option to keep
    /// window positions), otherwise the default size. A stored size that is not a positive
    /// number gives the default size. Later calls leave the window as it is.
    void restoreOnce(QWidget& window, bool keepPlaces);
    /// Stores the window's size and place; a minimised window keeps what was stored.
    void save(const QWidget& window) const;

private:
    /// A stored length [twips]; `fallback` when it is not a number.
    [[nodiscard]] double stored(const QString& key, double fallback) const;

    QString m_section;
    QSizeF m_defaultTwips;
    bool m_restored = false;
};
