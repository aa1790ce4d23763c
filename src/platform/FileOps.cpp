#include "platform/FileOps.h"

#include <QFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
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

namespace detail {

FileResult renameByLink(const QByteArray& from, const QByteArray& to, bool& unsupported)
{
    unsupported = false;
    if (::link(from.constData(), to.constData()) != 0) {
        const int error = errno;
        unsupported = error == EPERM || error == EOPNOTSUPP || error == ENOSYS;
        return failure(error);
    }
    if (::unlink(from.constData()) != 0) {
        // Both names now lead to the file: take the new one back rather than leave a copy behind.
        const int error = errno;
        ::unlink(to.constData());
        return failure(error);
    }
    return {true, {}};
}

FileResult renameByReservation(const QByteArray& from, const QByteArray& to)
{
    const int fd = ::open(to.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return failure(errno);
    ::close(fd);
    if (::rename(from.constData(), to.constData()) != 0) {
        const int error = errno;
        ::unlink(to.constData());
        return failure(error);
    }
    return {true, {}};
}

} // namespace detail

FileResult renameWithoutReplacing(const QString& from, const QString& to)
{
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) == 0)
        return {true, {}};
    if (errno != EINVAL && errno != ENOSYS)
        return failure(errno);
    bool noLinks = false;
    const FileResult linked = detail::renameByLink(source, target, noLinks);
    if (linked.ok || !noLinks)
        return linked;
    return detail::renameByReservation(source, target);
}

} // namespace tavrel
