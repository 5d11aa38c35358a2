#pragma once
// Where a picture push button puts its picture and caption. Pure geometry in pixels of the
// button's surface, kept apart from the widget so it can be checked without painting.

#include <QRect>
#include <QSize>

namespace controls {

/// Picture places of GraphButton::PicturePosition; other values keep the caption centred and
/// the picture where the previous layout put it.
enum GraphButtonPicturePosition : int {
    kPictureAbove = 0,
    kPictureLeft = 1,
    kPictureRight = 2,
    kPictureBelow = 3,
};

/// Frame width left free around the content: 4 pixels on every side.
inline constexpr int kGraphButtonContentInset = 4;
/// Gap between picture and caption [pixels].
inline constexpr int kGraphButtonPictureGap = 4;

struct GraphButtonLayout
{
    QRect picture; ///< where the picture is stretched to
    QRect caption; ///< where the caption is drawn, text margins included
};

/// Content rectangle of a button surface of the given size.
[[nodiscard]] QRect graphButtonContent(QSize surface);

/// Layout of one paint. captionSize is the caption measured wrapped to the content width
/// (empty when there is no caption); previous is the layout of the last paint, whose picture
/// or caption rectangle stays when the case at hand does not place it.
[[nodiscard]] GraphButtonLayout layoutGraphButton(QSize surface, bool hasPicture,
                                                  QSize pictureSize, QSize captionSize,
                                                  int picturePosition,
                                                  const GraphButtonLayout& previous);

} // namespace controls
