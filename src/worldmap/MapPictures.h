#pragma once
// The decoded map picture the world map shows, read from the program folder once and kept,
// also at the size it was last painted at, so that a full redraw neither reads nor rescales
// it. Only that one picture is kept: the globe changes its picture every few minutes as the
// principal moves from view to view, and each of the fifteen pictures holds some 4 MB decoded
// (the rectangular Earth 8 MB) besides its scaled copy, so keeping every picture shown would
// make a program left tracking grow by some 80 MB. A view shown again is read again.

#include <QImage>
#include <QSize>
#include <QString>

#include <cstddef>
#include <string>
#include <string_view>

namespace worldmap {

class MapPictures
{
public:
    /// The picture `file` of the program folder scaled to `size`, or null when it cannot be
    /// read (`errorText` then says why). A picture that failed is tried again next time.
    const QImage* scaled(std::string_view file, QSize size, QString* errorText = nullptr);

    /// Forgets the picture (another program folder).
    void clear();

    /// Pictures held decoded now: 0 or 1.
    [[nodiscard]] std::size_t heldCount() const { return m_file.empty() ? 0 : 1; }

private:
    std::string m_file; ///< the picture held; empty: none
    QImage m_decoded;
    QImage m_scaled;
};

} // namespace worldmap
