#include "services/mNight.h"

#include "services/Colours.h"

#include <QApplication>
#include <QMdiArea>
#include <QPalette>
#include <QPointer>

#include <optional>

namespace mNight {

namespace {

// Scheme entries by the shade they hold: black, red 64, red 128 and bright red.
constexpr int kBlack = 1;
constexpr int kRed64 = 0;
constexpr int kRed128 = 4;
constexpr int kBrightRed = 8;
constexpr int kAppWorkspace = 12;

struct RoleBinding
{
    QPalette::ColorRole role;
    int shade; ///< scheme entry
};

// Guard: the Windows scheme put black button text on red-128 faces and red-128 selections on
// red-128 windows (contrast below 2 : 1, the selection and today's mark in the calendar
// invisible). Here every text is bright red on black, 5.25 : 1, and a selection is black on
// bright red; the scheme's own shades are kept. Disabled texts take red 128: dimmer than the
// enabled ones at a glance, still visible on black.
constexpr RoleBinding kBindings[] = {
    {QPalette::Window, kBlack},          {QPalette::WindowText, kBrightRed},
    {QPalette::Base, kBlack},            {QPalette::AlternateBase, kBlack},
    {QPalette::Text, kBrightRed},        {QPalette::Button, kBlack},
    {QPalette::ButtonText, kBrightRed},  {QPalette::BrightText, kBrightRed},
    {QPalette::Highlight, kBrightRed},   {QPalette::HighlightedText, kBlack},
    {QPalette::Light, kRed128},          {QPalette::Midlight, kRed64},
    {QPalette::Mid, kRed64},             {QPalette::Dark, kRed64},
    {QPalette::Shadow, kBlack},          {QPalette::ToolTipBase, kBlack},
    {QPalette::ToolTipText, kBrightRed}, {QPalette::Link, kBrightRed},
    {QPalette::LinkVisited, kRed128},    {QPalette::PlaceholderText, kRed128},
};

constexpr QPalette::ColorRole kDisabledTexts[] = {
    QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::HighlightedText};

QColor nightColour(int systemColour)
{
    return colours::fromRgbValue(Colori_notte[static_cast<std::size_t>(systemColour)]);
}

} // namespace

QPalette nightPalette(const QPalette& base)
{
    QPalette palette = base;
    for (const RoleBinding& binding : kBindings) {
        for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            palette.setColor(group, binding.role, nightColour(binding.shade));
    }
    for (const QPalette::ColorRole role : kDisabledTexts)
        palette.setColor(QPalette::Disabled, role, nightColour(kRed128));
    palette.setColor(QPalette::Disabled, QPalette::Highlight, nightColour(kRed128));
    return palette;
}

namespace {

struct Snapshot
{
    QPalette palette;
    QList<QPair<QPointer<QMdiArea>, QBrush>> workspaces;
};

// Made when night mode is first switched on (a palette needs the application object).
std::optional<Snapshot> gSnapshot;

QList<QMdiArea*> workspaces()
{
    QList<QMdiArea*> areas;
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        if (auto* area = qobject_cast<QMdiArea*>(window))
            areas.append(area);
        areas.append(window->findChildren<QMdiArea*>());
    }
    return areas;
}

} // namespace

void Salva_colori_sistema()
{
    Snapshot snapshot{QApplication::palette(), {}};
    for (QMdiArea* area : workspaces())
        snapshot.workspaces.append({QPointer<QMdiArea>(area), area->background()});
    gSnapshot = std::move(snapshot);
}

void Applica_colori_notte()
{
    QApplication::setPalette(nightPalette(QApplication::palette()));
    // The MDI workspace keeps its own brush rather than a palette colour.
    for (QMdiArea* area : workspaces())
        area->setBackground(nightColour(kAppWorkspace));
}

void Ripristina_colori_sistema()
{
    if (!gSnapshot)
        return;
    QApplication::setPalette(gSnapshot->palette);
    for (const auto& [area, brush] : gSnapshot->workspaces) {
        if (area)
            area->setBackground(brush);
    }
}

bool Colori_notte_flag()
{
    return gSnapshot.has_value();
}

} // namespace mNight
