#pragma once
// The room a control needs to show its texts whole in its own font, so that a size the layout
// fixes for a text never cuts it at a desktop font larger than the one it was laid out for.

#include <QString>

class QGroupBox;
class QLineEdit;

/// The width a one-line field needs for `widest`, frame, margins and text cursor included.
[[nodiscard]] int fieldWidthFor(const QLineEdit& field, const QString& widest);

/// The width a group box needs for its title and for what its layout holds at their least.
[[nodiscard]] int groupBoxWidthFor(const QGroupBox& box);
