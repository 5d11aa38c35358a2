#include "tracking/TrackingModel.h"

#include <utility>

TrackingModel& TrackingModel::instance()
{
    static TrackingModel model;
    return model;
}

void TrackingModel::setClockMode(ClockMode mode)
{
    if (mode == m_clockMode)
        return;
    m_clockMode = mode;
    emit clockModeChanged(mode);
}

void TrackingModel::notifyClockJumped()
{
    emit clockJumped();
}

void TrackingModel::publishTick(TickSnapshot snapshot)
{
    snapshot.serial = m_snapshot.serial + 1;
    m_snapshot = std::move(snapshot);
    emit ticked();
}

void TrackingModel::announceWorldMapRedraw()
{
    emit worldMapRedrawDue();
}

void TrackingModel::setWorldMap(const WorldMapDisplay& options)
{
    if (options == m_worldMap)
        return;
    const WorldMapDisplay previous = std::exchange(m_worldMap, options);
    emit worldMapChanged(previous);
}

void TrackingModel::setLocalSky(const LocalSkyDisplay& options)
{
    if (options == m_localSky)
        return;
    const LocalSkyDisplay previous = std::exchange(m_localSky, options);
    emit localSkyChanged(previous);
}

void TrackingModel::setGeneralSky(const GeneralSkyDisplay& options)
{
    if (options == m_generalSky)
        return;
    const GeneralSkyDisplay previous = std::exchange(m_generalSky, options);
    emit generalSkyChanged(previous);
}

void TrackingModel::setWorldMapPick(int slot)
{
    if (slot == m_worldMapPick)
        return;
    m_worldMapPick = slot;
    emit worldMapPickChanged(slot);
}

void TrackingModel::requestChartCommand(ChartKind chart, ChartCommand command)
{
    emit chartCommand(chart, command);
}

void TrackingModel::notifyObserverChanged()
{
    emit observerChanged();
}

void TrackingModel::notifyActiveSetChanged()
{
    emit activeSetChanged();
}

void TrackingModel::notifyPrincipalChanged()
{
    emit principalChanged();
}

void TrackingModel::notifyPrincipalChannelChanged()
{
    emit principalChannelChanged();
}

void TrackingModel::reset()
{
    m_clockMode = ClockMode::Real;
    m_simulationStart = 0;
    m_snapshot = TickSnapshot();
    m_worldMap = WorldMapDisplay();
    m_localSky = LocalSkyDisplay();
    m_generalSky = GeneralSkyDisplay();
    m_worldMapPick = 0;
}
