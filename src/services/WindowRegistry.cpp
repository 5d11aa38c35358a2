#include "services/WindowRegistry.h"

#include <QCloseEvent>
#include <QMdiSubWindow>

namespace {

QString key(const QString& name)
{
    return name.toLower();
}

bool sameName(const QWidget* window, const QString& name)
{
    return window && window->objectName().compare(name, Qt::CaseInsensitive) == 0;
}

/// The widget that shows and hides the window: its frame in the MDI area, or itself.
QWidget* frameOf(QWidget* window)
{
    if (auto* frame = qobject_cast<QMdiSubWindow*>(window->parentWidget()))
        return frame;
    return window;
}

} // namespace

WindowRegistry::WindowRegistry(QObject* parent) : QObject(parent) {}

WindowRegistry::~WindowRegistry() = default;

WindowRegistry& WindowRegistry::instance()
{
    static WindowRegistry registry;
    return registry;
}

void WindowRegistry::define(const QString& name, WindowLifetime lifetime, Factory factory,
                            const QObject* owner)
{
    const quint64 serial = ++m_lastSerial;
    m_definitions[key(name)] = Definition{lifetime, std::move(factory), serial};
    if (owner == nullptr)
        return;
    connect(owner, &QObject::destroyed, this, [this, name = key(name), serial] {
        const auto definition = m_definitions.find(name);
        if (definition != m_definitions.end() && definition->second.serial == serial)
            m_definitions.erase(definition);
    });
}

QWidget* WindowRegistry::form(const QString& name)
{
    const auto definition = m_definitions.find(key(name));
    if (definition == m_definitions.end() || !definition->second.factory)
        return nullptr;
    if (definition->second.lifetime != WindowLifetime::NewPerRequest) {
        if (QWidget* loaded = find(name))
            return loaded;
    }
    QWidget* window = definition->second.factory();
    if (!window)
        return nullptr;
    if (window->objectName().isEmpty())
        window->setObjectName(name);
    track(window, definition->second.lifetime);
    return window;
}

void WindowRegistry::adopt(QWidget* window, WindowLifetime lifetime)
{
    if (window && !m_loaded.contains(window))
        track(window, lifetime);
}

void WindowRegistry::track(QWidget* window, WindowLifetime lifetime)
{
    m_loaded.append(window);
    connect(window, &QObject::destroyed, this, &WindowRegistry::forget);
    if (lifetime == WindowLifetime::HideOnClose) {
        m_hideOnClose.append(window);
        window->installEventFilter(this);
    } else {
        window->setAttribute(Qt::WA_DeleteOnClose, true);
    }
    emit loadedWindowsChanged();
}

void WindowRegistry::forget(QObject* window)
{
    const qsizetype removed = m_loaded.removeIf(
        [window](const QPointer<QWidget>& w) { return w.isNull() || w == window; });
    m_hideOnClose.removeAll(window);
    if (removed > 0)
        emit loadedWindowsChanged();
}

bool WindowRegistry::isLoaded(const QString& name) const
{
    return find(name) != nullptr;
}

QWidget* WindowRegistry::find(const QString& name) const
{
    for (const QPointer<QWidget>& window : m_loaded) {
        if (sameName(window, name))
            return window;
    }
    return nullptr;
}

QList<QWidget*> WindowRegistry::loadedWindows() const
{
    QList<QWidget*> windows;
    for (const QPointer<QWidget>& window : m_loaded) {
        if (window)
            windows.append(window);
    }
    return windows;
}

void WindowRegistry::unload(QWidget* window)
{
    if (!window || !m_loaded.contains(window))
        return;
    forget(window);
    window->removeEventFilter(this);
    QWidget* frame = frameOf(window);
    m_unloading = window;
    window->close(); // the window's own closing code runs, as on any unload
    m_unloading = nullptr;
    frame->hide();
    frame->deleteLater();
}

void WindowRegistry::unloadOrClose(QWidget* window)
{
    if (window == nullptr)
        return;
    if (loadedWindows().contains(window)) {
        unload(window);
        return;
    }
    frameOf(window)->close();
}

bool WindowRegistry::eventFilter(QObject* watched, QEvent* event)
{
    auto* window = qobject_cast<QWidget*>(watched);
    if (event->type() == QEvent::Close && window && window != m_unloading
        && m_hideOnClose.contains(window)) {
        event->ignore();
        frameOf(window)->hide();
        return true;
    }
    return QObject::eventFilter(watched, event);
}
