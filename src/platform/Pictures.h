#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace tavrel {

struct PictureLoad {
    bool ok = false;  // false: missing file, not a picture, or not decodable within bounds
    QImage image;     // null for an empty path or a failed load
};

// Loads a JPEG, BMP, GIF or PNG file by its content (not its name), decoded
// at decodeSize (device pixels) when that is valid, so that large
// screenshots stay quick. A file whose headers promise more than can be
// decoded within bounds (PictureBounds.h) fails without being decoded. An
// empty path is no failure: it gives no picture.
PictureLoad loadPicture(const QString& path, const QSize& decodeSize);

// The device pixels that a picture stretched over logicalSize covers on a
// screen of the given device pixel ratio.
QSize decodeSizeFor(const QSize& logicalSize, qreal ratio);

} // namespace tavrel
