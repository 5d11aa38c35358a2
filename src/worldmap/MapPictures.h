#pragma once
// The decoded map pictures, read from the program folder once and kept, each also kept at the
// size it was last painted at, so that a full redraw neither reads nor rescales a picture.

#include <QImage>
#include <QSize>
#include <QString>

#include <map>
#include <string>
#include <string_view>

namespace worldmap {

class MapPictures
{
public:
    /// The picture `file` of the program folder scaled to `size`, or null when it cannot be
    /// read (`errorText` then says why). A picture that failed is tried again next time.
    const QImage* scaled(std::string_view file, QSize size, QString* errorText = nullptr);

    /// Forgets every picture (another program folder).
    void clear();

private:
    struct Entry
    {
        QImage decoded;
        QImage scaled;
    };
    std::map<std::string, Entry, std::less<>> m_entries;
};

} // namespace worldmap
