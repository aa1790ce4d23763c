#include "platform/Pictures.h"

#include <QImageReader>

namespace tavrel {

PictureLoad loadPicture(const QString& path, const QSize& shownSize)
{
    PictureLoad result;
    if (path.isEmpty()) {
        result.ok = true;
        return result;
    }
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(true);
    // Stretched pictures are shown at the control's size, so decode at that size.
    const QSize full = reader.size();
    if (full.isValid() && shownSize.isValid() && !shownSize.isEmpty())
        reader.setScaledSize(shownSize);
    result.image = reader.read();
    result.ok = !result.image.isNull();
    return result;
}

} // namespace tavrel
