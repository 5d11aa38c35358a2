#include "controls/SystemColour.h"

#include <array>

namespace controls {

namespace {

struct SystemColourRole
{
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// Index n of the desktop's system colours (scroll bar 0 ... tooltip background 24) and the
// palette role that carries the same meaning.
constexpr std::array<SystemColourRole, 25> kSystemColourRoles{{
    {QPalette::Active, QPalette::Midlight},        // 0 scroll-bar track
    {QPalette::Active, QPalette::Dark},            // 1 desktop
    {QPalette::Active, QPalette::Highlight},       // 2 active caption
    {QPalette::Inactive, QPalette::Highlight},     // 3 inactive caption
    {QPalette::Active, QPalette::Window},          // 4 menu
    {QPalette::Active, QPalette::Base},            // 5 window
    {QPalette::Active, QPalette::Shadow},          // 6 window frame
    {QPalette::Active, QPalette::WindowText},      // 7 menu text
    {QPalette::Active, QPalette::Text},            // 8 window text
    {QPalette::Active, QPalette::HighlightedText}, // 9 caption text
    {QPalette::Active, QPalette::Window},          // 10 active border
    {QPalette::Inactive, QPalette::Window},        // 11 inactive border
    {QPalette::Active, QPalette::Mid},             // 12 application workspace
    {QPalette::Active, QPalette::Highlight},       // 13 selection
    {QPalette::Active, QPalette::HighlightedText}, // 14 selected text
    {QPalette::Active, QPalette::Button},          // 15 button face
    {QPalette::Active, QPalette::Dark},            // 16 button shadow
    {QPalette::Disabled, QPalette::Text},          // 17 grey text
    {QPalette::Active, QPalette::ButtonText},      // 18 button text
    {QPalette::Inactive, QPalette::HighlightedText}, // 19 inactive caption text
    {QPalette::Active, QPalette::Light},           // 20 button highlight
    {QPalette::Active, QPalette::Shadow},          // 21 3-D dark shadow
    {QPalette::Active, QPalette::Midlight},        // 22 3-D light
    {QPalette::Active, QPalette::ToolTipText},     // 23 tooltip text
    {QPalette::Active, QPalette::ToolTipBase},     // 24 tooltip background
}};

} // namespace

QColor resolveColour(quint32 colour, const QPalette& palette)
{
    if ((colour & kSystemColourFlag) == 0)
        return QColor(static_cast<int>(colour & 0xFFu), static_cast<int>((colour >> 8) & 0xFFu),
                      static_cast<int>((colour >> 16) & 0xFFu));
    const quint32 index = colour & ~kSystemColourFlag;
    if (index >= kSystemColourRoles.size())
        return QColor(Qt::black);
    const SystemColourRole& entry = kSystemColourRoles[index];
    return palette.color(entry.group, entry.role);
}

} // namespace controls
