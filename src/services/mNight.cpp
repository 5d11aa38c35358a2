#include "services/mNight.h"

#include "services/Colours.h"

#include <QApplication>
#include <QMdiArea>
#include <QPalette>
#include <QPointer>

#include <optional>

namespace mNight {

namespace {

// System colour numbers with a part in this program's windows.
constexpr int kWindow = 5;
constexpr int kWindowText = 8;
constexpr int kAppWorkspace = 12;
constexpr int kHighlight = 13;
constexpr int kHighlightText = 14;
constexpr int kButtonFace = 15;
constexpr int kButtonShadow = 16;
constexpr int kGrayText = 17;
constexpr int kButtonText = 18;
constexpr int kButtonHighlight = 20;
constexpr int kDarkShadow = 21;
constexpr int kLight = 22;
constexpr int kInfoText = 23;
constexpr int kInfoBackground = 24;
constexpr int kHotLight = 26;

struct RoleBinding
{
    int systemColour;
    QPalette::ColorRole role;
};

// Active and inactive windows; disabled texts take the grey of kGrayText.
constexpr RoleBinding kBindings[] = {
    {kButtonFace, QPalette::Window},          {kButtonText, QPalette::WindowText},
    {kWindow, QPalette::Base},                {kWindow, QPalette::AlternateBase},
    {kWindowText, QPalette::Text},            {kButtonFace, QPalette::Button},
    {kButtonText, QPalette::ButtonText},      {kHighlight, QPalette::Highlight},
    {kHighlightText, QPalette::HighlightedText}, {kButtonHighlight, QPalette::Light},
    {kLight, QPalette::Midlight},             {kButtonShadow, QPalette::Mid},
    {kButtonShadow, QPalette::Dark},          {kDarkShadow, QPalette::Shadow},
    {kInfoBackground, QPalette::ToolTipBase}, {kInfoText, QPalette::ToolTipText},
    {kHotLight, QPalette::Link},              {kHotLight, QPalette::LinkVisited},
    {kGrayText, QPalette::PlaceholderText},
};

constexpr QPalette::ColorRole kDisabledTexts[] = {QPalette::WindowText, QPalette::Text,
                                                  QPalette::ButtonText};

QColor nightColour(int systemColour)
{
    return colours::fromRgbValue(Colori_notte[static_cast<std::size_t>(systemColour)]);
}

QPalette nightPalette(const QPalette& base)
{
    QPalette palette = base;
    for (const RoleBinding& binding : kBindings) {
        for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            palette.setColor(group, binding.role, nightColour(binding.systemColour));
    }
    for (const QPalette::ColorRole role : kDisabledTexts)
        palette.setColor(QPalette::Disabled, role, nightColour(kGrayText));
    return palette;
}

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
