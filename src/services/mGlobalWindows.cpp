// The services of mGlobal that work on windows: whether a window is loaded, and translucency.
// They belong to the widget ring (services_widgets) with the window registry.

#include "services/mGlobal.h"

#include "services/WindowRegistry.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QWidget>

namespace {

const char* const kBackgroundName = "TranslucentBackground";

/// Paints a translucent window's background in its window colour at the alpha chosen, before
/// the window and its children draw over it; the compositor blends it with what lies behind.
class BackgroundPainter : public QObject
{
public:
    explicit BackgroundPainter(QWidget& window) : QObject(&window)
    {
        setObjectName(QString::fromLatin1(kBackgroundName));
        window.installEventFilter(this);
    }

    int alpha = 255;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched == parent()) {
            auto* window = static_cast<QWidget*>(watched);
            QColor colour = window->palette().color(QPalette::Window);
            colour.setAlpha(alpha);
            QPainter painter(window);
            painter.fillRect(static_cast<QPaintEvent*>(event)->rect(), colour);
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

namespace mGlobal {

bool Form_caricato(const QString& name)
{
    return WindowRegistry::instance().isLoaded(name);
}

int Imposta_trasparenza(QWidget* window, int alpha)
{
    return Imposta_trasparenza(window, alpha, windowBlending(QGuiApplication::platformName()));
}

int Imposta_trasparenza(QWidget* window, int alpha, WindowBlending blending)
{
    constexpr int kOpaque = 255;
    if (alpha < 0 || alpha > kOpaque)
        return kAlphaOutOfRange;
    if (!window || blending == WindowBlending::None)
        return kTranslucencyUnavailable;
    QWidget* top = window->window();
    if (blending == WindowBlending::WindowOpacity) {
        top->setWindowOpacity(static_cast<double>(alpha) / kOpaque);
        return kTranslucencySet;
    }
    auto* background = top->findChild<BackgroundPainter*>(QString::fromLatin1(kBackgroundName),
                                                          Qt::FindDirectChildrenOnly);
    if (!background) {
        // Read when the native window is made: a window already shown keeps its opaque surface.
        top->setAttribute(Qt::WA_TranslucentBackground);
        background = new BackgroundPainter(*top);
    }
    background->alpha = alpha;
    top->update();
    return kTranslucencySet;
}

} // namespace mGlobal
