#include "database/ExchangeTimer.h"

#include <QTimer>

EventLoopTimer::EventLoopTimer(QObject* parent) : ExchangeTimer(parent), m_timer(new QTimer(this))
{
    connect(m_timer, &QTimer::timeout, this, &ExchangeTimer::fired);
}

void EventLoopTimer::start(std::chrono::milliseconds period)
{
    m_timer->start(period);
}

void EventLoopTimer::stop()
{
    m_timer->stop();
}
