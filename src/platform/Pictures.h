#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace tavrel {

struct PictureLoad {
    bool ok = false;  // false: missing file, not a picture, or too large to decode
    QImage image;     // null for an empty path or a failed load
};

// Loads a picture file by its content (not its name), decoded at the size it
// will be shown so that large screenshots stay quick. An empty path is no
// failure: it gives no picture.
PictureLoad loadPicture(const QString& path, const QSize& shownSize);

} // namespace tavrel
