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
    QString canonical = QFileInfo(path).canonicalFilePath();
    if (canonical.isEmpty())
        return {};
    if (path.endsWith(QLatin1Char('/')))
        canonical = withTrailingSlash(canonical);
    return canonical;
}

} // namespace tavrel
