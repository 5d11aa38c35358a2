#pragma once
// The periods a network exchange is timed by: how long a connection may take to be made, and
// then how long the server may send next to nothing. The program's come from the event loop's
// clock; a test puts in one it moves on by hand, so that no outcome depends on how busy the
// machine is.

#include <QObject>

#include <chrono>

class QTimer;

class ExchangeTimer : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    /// Begins a new period of `period`, dropping the one under way; fired() comes at the end
    /// of every period until stop().
    virtual void start(std::chrono::milliseconds period) = 0;
    virtual void stop() = 0;

signals:
    void fired();
};

/// Periods of the event loop's clock.
class EventLoopTimer final : public ExchangeTimer
{
    Q_OBJECT

public:
    explicit EventLoopTimer(QObject* parent = nullptr);

    void start(std::chrono::milliseconds period) override;
    void stop() override;

private:
    QTimer* m_timer;
};
