// The services of mGlobal that work on windows: whether a window is loaded, and translucency.
// They belong to the widget ring (services_widgets) with the window registry.

#include "services/mGlobal.h"

#include "services/WindowRegistry.h"

#include <QWidget>

namespace mGlobal {

bool Form_caricato(const QString& name)
{
    return WindowRegistry::instance().isLoaded(name);
}

int Imposta_trasparenza(QWidget* window, int alpha)
{
    constexpr int kOpaque = 255;
    if (alpha < 0 || alpha > kOpaque)
        return kAlphaOutOfRange;
    if (!window || !platformHasTranslucentWindows())
        return kTranslucencyUnavailable;
    window->window()->setWindowOpacity(static_cast<double>(alpha) / kOpaque);
    return kTranslucencySet;
}

} // namespace mGlobal
