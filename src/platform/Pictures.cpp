#include "platform/Pictures.h"

#include "platform/PictureBounds.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace tavrel {

namespace {
// Larger files are no screenshots; reading them alone would take most of the budget.
constexpr qint64 kMaxPictureFile = 128 * 1024 * 1024;
} // namespace

PictureLoad loadPicture(const QString& path, const QSize& decodeSize)
{
    PictureLoad result;
    if (path.isEmpty()) {
        result.ok = true;
        return result;
    }
    // Regular files only: a pipe or a device named like a picture would block
    // or never end.
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > kMaxPictureFile)
        return result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return result;
    // Checked and decoded from the same bytes, so that a file changing
    // meanwhile cannot slip past the check.
    QByteArray bytes = file.readAll();
    dropPngMetadata(bytes);
    const char* format = decodableFormat(bytes);
    if (!format)
        return result;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setAutoTransform(true);
    if (decodeSize.isValid() && !decodeSize.isEmpty())
        reader.setScaledSize(decodeSize);
    result.image = reader.read();
    result.ok = !result.image.isNull();
    return result;
}

QSize decodeSizeFor(const QSize& logicalSize, qreal ratio)
{
    return (QSizeF(logicalSize) * ratio).toSize();
}

} // namespace tavrel
