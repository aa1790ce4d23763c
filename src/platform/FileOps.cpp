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

Folder::Folder(const QString& path)
    : m_fd(::open(QFile::encodeName(path).constData(), O_PATH | O_DIRECTORY | O_CLOEXEC))
    , m_error(m_fd < 0 ? errno : 0)
{
}

Folder::~Folder()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool Folder::holds(const QString& name) const
{
    struct stat st;
    return ::fstatat(m_fd, QFile::encodeName(name).constData(), &st, AT_SYMLINK_NOFOLLOW) == 0;
}

FileResult deleteFile(const Folder& folder, const QString& name)
{
    if (folder.fd() < 0)
        return failure(folder.error());
    if (::unlinkat(folder.fd(), QFile::encodeName(name).constData(), 0) != 0)
        return failure(errno);
    return {true, {}};
}

namespace detail {

FileResult renameByLink(int dir, const QByteArray& from, const QByteArray& to, bool& unsupported)
{
    unsupported = false;
    if (::linkat(dir, from.constData(), dir, to.constData(), 0) != 0) {
        const int error = errno;
        unsupported = error == EPERM || error == EOPNOTSUPP || error == ENOSYS;
        return failure(error);
    }
    if (::unlinkat(dir, from.constData(), 0) != 0) {
        // Both names now lead to the file: take the new one back rather than leave a copy behind.
        const int error = errno;
        ::unlinkat(dir, to.constData(), 0);
        return failure(error);
    }
    return {true, {}};
}

FileResult renameByReservation(int dir, const QByteArray& from, const QByteArray& to)
{
    const int fd = ::openat(dir, to.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return failure(errno);
    ::close(fd);
    if (::renameat(dir, from.constData(), dir, to.constData()) != 0) {
        const int error = errno;
        ::unlinkat(dir, to.constData(), 0);
        return failure(error);
    }
    return {true, {}};
}

} // namespace detail

FileResult renameWithoutReplacing(const Folder& folder, const QString& from, const QString& to)
{
    if (folder.fd() < 0)
        return failure(folder.error());
    const int dir = folder.fd();
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    if (::renameat2(dir, source.constData(), dir, target.constData(), RENAME_NOREPLACE) == 0)
        return {true, {}};
    if (errno != EINVAL && errno != ENOSYS)
        return failure(errno);
    bool noLinks = false;
    const FileResult linked = detail::renameByLink(dir, source, target, noLinks);
    if (linked.ok || !noLinks)
        return linked;
    return detail::renameByReservation(dir, source, target);
}

} // namespace tavrel
