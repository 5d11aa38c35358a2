#pragma once
// The program's windows by name. Each window is one named instance, made on first use and
// counted as loaded until it is unloaded; a few are only hidden when the user closes them,
// and a few are made anew for every request. The name is the window's object name, compared
// without regard to letter case.

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <map>

enum class WindowLifetime {
    UnloadOnClose, ///< one instance; closing it unloads it
    HideOnClose,   ///< one instance; closing it only hides it (time window, database window)
    NewPerRequest, ///< a new instance for every request (pass chart, listing, file editor)
};

class WindowRegistry : public QObject
{
    Q_OBJECT

public:
    using Factory = std::function<QWidget*()>;

    explicit WindowRegistry(QObject* parent = nullptr);
    ~WindowRegistry() override;

    /// The program's registry, the one Form_caricato asks.
    static WindowRegistry& instance();

    /// Tells how a window of that name is made and how it lives. A factory that makes its
    /// windows for `owner` (the main window) is forgotten when the owner is destroyed, so no
    /// later request makes a window for an owner that is gone.
    void define(const QString& name, WindowLifetime lifetime, Factory factory,
                const QObject* owner = nullptr);

    /// The loaded window of that name, made (hidden) when none is loaded; for a window made
    /// per request always a new instance. Null for a name never defined or a factory that
    /// made nothing.
    QWidget* form(const QString& name);
    template <class Window>
    Window* form(const QString& name)
    {
        return qobject_cast<Window*>(form(name));
    }

    /// Counts a window made elsewhere (the main window) as loaded.
    void adopt(QWidget* window, WindowLifetime lifetime = WindowLifetime::UnloadOnClose);

    [[nodiscard]] bool isLoaded(const QString& name) const;
    /// The first loaded window of that name, or null; loads nothing.
    [[nodiscard]] QWidget* find(const QString& name) const;
    /// Every loaded window, in the order they were loaded.
    [[nodiscard]] QList<QWidget*> loadedWindows() const;

    /// Closes and destroys a window, one that only hides on close included. It counts as
    /// unloaded at once; the object goes when control returns to the event loop, so a window
    /// may unload itself from its own handler. A window closed by the user counts as loaded
    /// until that moment too.
    void unload(QWidget* window);
    /// A window's own way out: unloaded when it is loaded; otherwise (a window made outside the
    /// registry) closed, with its workspace frame when it has one.
    void unloadOrClose(QWidget* window);

signals:
    /// A window was loaded or unloaded: the commands that act on an open window follow it.
    void loadedWindowsChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Definition
    {
        WindowLifetime lifetime;
        Factory factory;
        quint64 serial = 0; ///< tells a definition from a later one of the same name
    };

    void track(QWidget* window, WindowLifetime lifetime);
    void forget(QObject* window);

    std::map<QString, Definition> m_definitions; // by lower-case name
    quint64 m_lastSerial = 0;
    QList<QPointer<QWidget>> m_loaded;
    QList<QWidget*> m_hideOnClose;
    QWidget* m_unloading = nullptr;
};
