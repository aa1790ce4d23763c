#include "paths/Paths.h"

#include <QFileInfo>

namespace tavrel {

QString joinPath(const QString& dir, const QString& name)
{
    return withTrailingSlash(dir) + name;
}

QString withTrailingSlash(const QString& dir)
{
    return dir.endsWith(QLatin1Char('/')) ? dir : dir + QLatin1Char('/');
}

QString ShortPath(const QString& path)
{
    if (path.isEmpty())
        return {};
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    if (info.isDir()) {
        const QString canonical = info.canonicalFilePath();
        if (canonical.isEmpty())
            return {};
        return path.endsWith(QLatin1Char('/')) ? withTrailingSlash(canonical) : canonical;
    }
    // A file keeps the name it is listed under: a linked archive stays the
    // ".zip" the user picked, and the emulator gets exactly that file.
    const QString dir = QFileInfo(info.absolutePath()).canonicalFilePath();
    return dir.isEmpty() ? QString() : joinPath(dir, info.fileName());
}

} // namespace tavrel
