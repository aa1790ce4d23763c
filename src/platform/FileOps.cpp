#include "platform/FileOps.h"

#include <QFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tavrel {

namespace {

FileResult failure(int error)
{
    return {false, QString::fromLocal8Bit(std::strerror(error))};
}

} // namespace

FileResult deleteFile(const QString& path)
{
    if (::unlink(QFile::encodeName(path).constData()) != 0)
        return failure(errno);
    return {true, {}};
}

FileResult renameWithoutReplacing(const QString& from, const QString& to)
{
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) == 0)
        return {true, {}};
    if (errno != EINVAL && errno != ENOSYS)
        return failure(errno);
    // File systems without the atomic form: check, then rename.
    struct stat st{};
    if (::lstat(target.constData(), &st) == 0)
        return failure(EEXIST);
    if (::rename(source.constData(), target.constData()) != 0)
        return failure(errno);
    return {true, {}};
}

} // namespace tavrel
