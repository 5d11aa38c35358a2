#include "controls/GraphButton/GraphButtonLayout.h"

namespace controls {

namespace {

// Integer halves truncate toward zero, so an item larger than the content starts left of it
// by half the excess, as the platform's centring did.
QRect centredIn(const QRect& content, QSize size)
{
    return QRect(content.left() + (content.width() - size.width()) / 2,
                 content.top() + (content.height() - size.height()) / 2, size.width(),
                 size.height());
}

} // namespace

QRect graphButtonContent(QSize surface)
{
    return QRect(kGraphButtonContentInset, kGraphButtonContentInset,
                 surface.width() - 2 * kGraphButtonContentInset,
                 surface.height() - 2 * kGraphButtonContentInset);
}

GraphButtonLayout layoutGraphButton(QSize surface, bool hasPicture, QSize pictureSize,
                                    QSize captionSize, int picturePosition,
                                    const GraphButtonLayout& previous)
{
    const QRect content = graphButtonContent(surface);
    GraphButtonLayout layout = previous;
    if (!hasPicture) {
        layout.caption = centredIn(content, captionSize);
        return layout;
    }
    if (captionSize.isEmpty()) {
        layout.picture = centredIn(content, pictureSize);
        return layout;
    }

    layout.caption = centredIn(content, captionSize);
    const int pw = pictureSize.width();
    const int ph = pictureSize.height();
    const int tw = captionSize.width();
    const int th = captionSize.height();
    const int cw = content.width();
    const int ch = content.height();
    const int gap = kGraphButtonPictureGap;
    switch (picturePosition) {
    case kPictureAbove:
        layout.picture = QRect(content.left() + (cw - pw) / 2,
                               content.top() + (ch - (ph + gap + th)) / 2, pw, ph);
        layout.caption = QRect(content.left() + (cw - tw) / 2,
                               layout.picture.top() + ph + gap, tw, th);
        break;
    case kPictureLeft:
        layout.picture = QRect(content.left() + (cw - (pw + gap + tw)) / 2,
                               content.top() + (ch - ph) / 2, pw, ph);
        layout.caption = QRect(layout.picture.left() + pw + gap,
                               content.top() + (ch - th) / 2, tw, th);
        break;
    case kPictureRight:
        layout.caption = QRect(content.left() + (cw - (pw + gap + tw)) / 2,
                               content.top() + (ch - th) / 2, tw, th);
        layout.picture = QRect(layout.caption.left() + tw + gap,
                               content.top() + (ch - ph) / 2, pw, ph);
        break;
    case kPictureBelow:
        layout.caption = QRect(content.left() + (cw - tw) / 2,
                               content.top() + (ch - (ph + gap + th)) / 2, tw, th);
        layout.picture = QRect(content.left() + (cw - pw) / 2,
                               layout.caption.top() + th + gap, pw, ph);
        break;
    default:
        break;
    }
    return layout;
}

} // namespace controls
