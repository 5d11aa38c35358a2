#pragma once
// What the main window's map commands leave for the chart windows: a stand-in that makes a
// chart window count as loaded, and a recorder of the chart commands the tracking model
// carries to the charts.

#include "services/WindowRegistry.h"
#include "tracking/TrackingModel.h"

#include <QCoreApplication>
#include <QWidget>

#include <utility>
#include <vector>

/// A window of that name loaded (Form_caricato) while the object lives.
class LoadedWindow
{
public:
    explicit LoadedWindow(const QString& name)
    {
        m_window->setObjectName(name);
        WindowRegistry::instance().adopt(m_window);
    }
    ~LoadedWindow()
    {
        WindowRegistry::instance().unload(m_window);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    LoadedWindow(const LoadedWindow&) = delete;
    LoadedWindow& operator=(const LoadedWindow&) = delete;

private:
    QWidget* m_window = new QWidget;
};

/// Every chart command the model carried while it lives.
class ChartCommandRecorder
{
public:
    ChartCommandRecorder()
    {
        QObject::connect(&TrackingModel::instance(), &TrackingModel::chartCommand, &m_context,
                         [this](ChartKind chart, ChartCommand command) {
                             commands.emplace_back(chart, command);
                         });
    }

    [[nodiscard]] int count(ChartKind chart, ChartCommand command) const
    {
        int n = 0;
        for (const auto& [kind, sent] : commands)
            n += kind == chart && sent == command ? 1 : 0;
        return n;
    }

    std::vector<std::pair<ChartKind, ChartCommand>> commands;

private:
    QObject m_context;
};
