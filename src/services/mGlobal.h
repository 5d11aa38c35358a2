#pragma once
// Small services over the platform, used by many windows: whether a window is loaded, the
// computer's time zone, the file name of a download address, the Internet connection state,
// a duration as hours, minutes and seconds, window translucency, and two drawing routines
// (radial gradient, arrow with chevrons). Form_caricato, Imposta_trasparenza, windowBlending
// and platformHasTranslucentWindows work on windows: they are part of the widget ring
// (services_widgets, mGlobalWindows.cpp and WindowOpacity.cpp), the others of services.

#include <QByteArrayView>
#include <QColor>
#include <QString>

class DrawingSurface;
class QDateTime;
class QTimeZone;
class QWidget;

namespace mGlobal {

/// True when a window of that name is loaded (names compared without regard to letter
/// case); loads nothing.
[[nodiscard]] bool Form_caricato(const QString& name);

/// The computer's time zone now: bias [minutes] with UTC = local time + bias (east of
/// Greenwich negative) and whether daylight saving is in force. True on success, also for a
/// zone without daylight saving; false (bias 0, daylight untouched) when the system gives no
/// time zone.
bool Leggi_fuso_orario(float& bias, bool& daylight);
/// The same for a given zone at a given instant.
bool Leggi_fuso_orario(const QTimeZone& zone, const QDateTime& at, float& bias, bool& daylight);
/// Makes the one-argument Leggi_fuso_orario read this zone at this instant instead of the
/// computer's zone now (an invalid instant: the present one). The test programs pin both so
/// that no result depends on where or when they run.
void setComputerZone(const QTimeZone& zone, const QDateTime& at);
/// Back to the computer's own zone and clock.
void useComputerZone();

/// The part of a download address after its last "/" (the whole address without one; empty
/// for an address ending in "/").
[[nodiscard]] QString Nome_file_remoto(const QString& address);

/// True when the computer has a network connection that may reach the Internet: what the
/// platform's network information reports, or, when it cannot tell, a network interface
/// that is up and has a routable address and, where the kernel's routing tables can be read,
/// a default route.
[[nodiscard]] bool Connessione_attiva();

/// Whether the kernel's routing tables, in the text forms of Linux's /proc/net/route (IPv4)
/// and /proc/net/ipv6_route (IPv6), hold a default route that is up, is no reject route and
/// does not go through the loopback interface. Without one no address outside the local
/// networks can be reached.
[[nodiscard]] bool hasDefaultRoute(QByteArrayView ipv4Routes, QByteArrayView ipv6Routes);

/// A duration [s] as "hh:mm:ss", rounded to the whole second; hours beyond 99 take more
/// digits and a negative duration shows as zero.
[[nodiscard]] QString Formatta_tempo(double seconds);

/// Results of Imposta_trasparenza.
inline constexpr int kTranslucencySet = 0;
inline constexpr int kAlphaOutOfRange = 1;
inline constexpr int kTranslucencyUnavailable = 2;

/// How the windowing system blends a window with what lies behind it.
enum class WindowBlending {
    None,            ///< nothing blends windows: they stay opaque
    WindowOpacity,   ///< the platform sets a whole window's opacity
    DrawnBackground, ///< the window paints its background with alpha; the compositor blends it
};

/// The blending of the Qt platform of that name; for "xcb" whether a compositing manager runs
/// on the program's own X connection.
[[nodiscard]] WindowBlending windowBlending(const QString& platformName);

/// Makes a window translucent: alpha 255 opaque .. 0 fully transparent. Returns
/// kAlphaOutOfRange (window unchanged) for alpha outside 0..255, and
/// kTranslucencyUnavailable where the platform blends no windows (no compositor). A drawn
/// background needs a translucent native window: call it first before the window is shown.
int Imposta_trasparenza(QWidget* window, int alpha);
/// The same with the blending given instead of the running platform's.
int Imposta_trasparenza(QWidget* window, int alpha, WindowBlending blending);

/// Whether the windowing system can show translucent windows.
[[nodiscard]] bool platformHasTranslucentWindows();

/// Radial gradient: concentric filled discs from colour1 at the rim towards colour2 at the
/// centre, in `steps` steps, in the surface's units and with the circle aspect given. The
/// surface's fill colour and style are left as they were. No steps draws nothing.
void Disegna_sfumatura(DrawingSurface& surface, const QColor& colour1, const QColor& colour2,
                       double centreX, double centreY, double radius, double aspect, int steps);

/// Line from (x1, y1) to (x2, y2) in the surface's pen, with `count` chevrons pointing along
/// it from the first point on, `spacing` apart, and one at the end point when headAtEnd. Each
/// chevron has two strokes of length size x sqrt(2) at 45 degrees back from the direction.
/// Two equal points draw the point alone: they give no direction.
void Disegna_freccia(DrawingSurface& surface, double x1, double y1, double x2, double y2,
                     double size, bool headAtEnd, int count, double spacing);

} // namespace mGlobal
