#include "settings/IniFile.h"

#include <QDeadlineTimer>
#include <QThread>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>

namespace tavrel::inifile {

namespace {

Identity identityOf(const struct stat& st)
{
    return {st.st_dev, st.st_ino, st.st_size, st.st_mtim};
}

// Large buffers are backed by huge pages where the system allows: a 44 MB settings file otherwise
// costs some eleven thousand page faults, as much as parsing it.
void adviseHugePages(QByteArray& buffer)
{
    constexpr quintptr kHuge = quintptr(2) << 20;
    if (buffer.size() < qsizetype(4 * kHuge))
        return;
    const quintptr page = quintptr(::sysconf(_SC_PAGESIZE));
    const quintptr begin = (quintptr(buffer.data()) + page - 1) & ~(page - 1);
    const quintptr end = (quintptr(buffer.data()) + quintptr(buffer.size())) & ~(page - 1);
    if (end > begin)
        ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
}

bool readAll(int fd, QByteArray& out, qsizetype sizeHint)
{
    out = QByteArray(qMax<qsizetype>(sizeHint, 0) + 1, Qt::Uninitialized);
    adviseHugePages(out);
    qsizetype got = 0;
    for (;;) {
        if (got == out.size())
            out.resize(out.size() * 2);
        const ssize_t n = ::read(fd, out.data() + got, size_t(out.size() - got));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (n == 0)
            break;
        got += n;
    }
    out.truncate(got);
    return true;
}

bool writeAll(int fd, QByteArrayView bytes)
{
    const char* p = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += n;
        left -= n;
    }
    return true;
}

} // namespace

Kind probe(const QByteArray& path, Identity* identity)
{
    struct stat st;
    if (::stat(path.constData(), &st) != 0)
        return errno == ENOENT || errno == ENOTDIR ? Kind::Missing : Kind::Unreadable;
    if (!S_ISREG(st.st_mode))
        return Kind::Special;
    *identity = identityOf(st);
    return Kind::Regular;
}

HeldFile::HeldFile(HeldFile&& other) noexcept
    : m_fd(std::exchange(other.m_fd, -1))
    , m_identity(other.m_identity)
{
}

HeldFile& HeldFile::operator=(HeldFile&& other) noexcept
{
    if (this != &other) {
        close();
        m_fd = std::exchange(other.m_fd, -1);
        m_identity = other.m_identity;
    }
    return *this;
}

void HeldFile::close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

bool HeldFile::adopt(int fd)
{
    close();
    struct stat st;
    if (fd < 0)
        return false;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return false;
    }
    m_fd = fd;
    m_identity = identityOf(st);
    return true;
}

bool HeldFile::load(const QByteArray& path, QByteArray& bytes)
{
    // O_NONBLOCK: a FIFO put in the file's place after our stat must not hang the open.
    if (!adopt(::open(path.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)))
        return false;
    if (!readAll(m_fd, bytes, m_identity.size)) {
        close();
        return false;
    }
    return true;
}

WriteLock::WriteLock(const QByteArray& file, int patienceMs)
    : m_path(file + ".lock")
{
    const qsizetype slash = file.lastIndexOf('/');
    const QByteArray dir = slash > 0 ? file.left(slash) : slash == 0 ? QByteArray("/") : QByteArray(".");
    m_dirFd = ::open(dir.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_dirFd < 0)
        return;
    const QDeadlineTimer deadline(patienceMs);
    int pauseMs = 1;
    int fd = -1;
    for (;;) {
        if (fd < 0)
            fd = ::open(m_path.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0600);
        // Refused while the file exists: another user's writer holds its own lock file, which goes when
        // that write ends. Refused while it does not: the directory cannot be written at all.
        struct stat existing;
        if (fd < 0 && (errno != EACCES || ::lstat(m_path.constData(), &existing) != 0))
            return;
        if (fd >= 0) {
            struct stat held;
            struct stat named;
            if (::fstat(fd, &held) != 0 || !S_ISREG(held.st_mode)) {
                ::close(fd);
                return;
            }
            const int rc = ::flock(fd, LOCK_EX | LOCK_NB);
            // A file system without flock (rare network mounts) still gets whole-file replaces, unserialised.
            if (rc != 0 && (errno == ENOLCK || errno == EOPNOTSUPP || errno == EINVAL)) {
                m_fd = fd;
                m_ok = true;
                return;
            }
            if (rc == 0) {
                // Locked, unless its last holder removed it meanwhile: then lock the file now named so.
                if (::lstat(m_path.constData(), &named) == 0 && named.st_ino == held.st_ino && named.st_dev == held.st_dev) {
                    m_fd = fd;
                    m_ok = true;
                    return;
                }
                ::close(std::exchange(fd, -1));
                continue;
            }
            if (errno != EWOULDBLOCK && errno != EINTR) {
                ::close(fd);
                return;
            }
        }
        if (deadline.hasExpired()) {
            if (fd >= 0)
                ::close(fd);
            return;
        }
        QThread::msleep(pauseMs);
        pauseMs = qMin(pauseMs * 2, 16);
    }
}

WriteLock::~WriteLock()
{
    if (m_fd >= 0) {
        ::unlink(m_path.constData()); // still ours: others remove it only while holding it
        ::close(m_fd);                // releases the lock
    }
    if (m_dirFd >= 0)
        ::close(m_dirFd);
}

void WriteLock::sync() const
{
    ::fsync(m_dirFd);
}

bool replaceable(const QByteArray& file)
{
    struct stat st;
    const int fd = ::open(file.constData(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    const bool ok = fd >= 0 && ::fstat(fd, &st) == 0 && (st.st_mode & 0222) != 0;
    if (fd >= 0)
        ::close(fd);
    return ok;
}

bool makePrivateDirectories(const QByteArray& dir)
{
    struct stat st;
    if (::stat(dir.constData(), &st) == 0)
        return S_ISDIR(st.st_mode);
    const qsizetype slash = dir.lastIndexOf('/', dir.endsWith('/') ? -2 : -1);
    if (slash > 0 && !makePrivateDirectories(dir.left(slash)))
        return false;
    return ::mkdir(dir.constData(), 0700) == 0 || errno == EEXIST;
}

void removeStale(const QByteArray& temp)
{
    ::unlink(temp.constData());
}

bool replace(const QByteArray& target, const QByteArray& temp, std::initializer_list<QByteArrayView> pieces,
             const HeldFile* like, HeldFile& written)
{
    // One fixed temporary name, so a writer killed before its rename leaves at most this one file,
    // which the next write removes first (removeStale). O_EXCL and O_NOFOLLOW: never write through
    // something planted there.
    const int fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    bool ok = true;
    struct stat old;
    if (like && like->isOpen() && ::fstat(like->m_fd, &old) == 0) {
        // Keep the file's owner (where we may; otherwise it becomes the writer's, as an editor would
        // leave it) and its exact mode.
        if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
        }
        ok = ::fchmod(fd, old.st_mode & 07777) == 0;
    }
    for (QByteArrayView piece : pieces)
        ok = ok && writeAll(fd, piece);
    ok = ok && ::fsync(fd) == 0;
    // Without a working lock a second writer could have replaced our temporary file: rename only our own.
    struct stat mine;
    struct stat named;
    ok = ok && ::fstat(fd, &mine) == 0 && ::lstat(temp.constData(), &named) == 0 && mine.st_ino == named.st_ino
        && mine.st_dev == named.st_dev;
    ok = ok && ::rename(temp.constData(), target.constData()) == 0;
    if (!ok) {
        ::unlink(temp.constData());
        ::close(fd);
        return false;
    }
    // The new file is in place: say so even if it cannot be held (the copy is then read again).
    written.adopt(fd);
    return true;
}

} // namespace tavrel::inifile
