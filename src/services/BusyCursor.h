#pragma once
// The hourglass over the program while a command works, and back to the normal pointer when
// it ends however it ends.

#include <QCoreApplication>
#include <QGuiApplication>

class BusyCursor
{
public:
    BusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

/// Lets the pending window events run once.
inline void yieldToEvents()
{
    QCoreApplication::processEvents();
}
