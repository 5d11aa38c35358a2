#pragma once
// The small pictures of the database window's picture buttons: arrows for adding to and
// removing from the active list, moving an entry up or down and rotating the order.

#include <QPixmap>

enum class ButtonPicture {
    ArrowRight, ///< add to the active list
    ArrowLeft,  ///< remove from the active list
    ArrowUp,
    ArrowDown,
    Rotate, ///< the principal goes to the end
};

/// A 16 x 16 picture (device-independent pixels) for a screen of the given pixel ratio.
[[nodiscard]] QPixmap buttonPicture(ButtonPicture picture, qreal devicePixelRatio);
