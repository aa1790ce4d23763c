#include "settings/IniStore.h"

#include "settings/IniIndex.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tavrel {

namespace {

// Serialises writers of files in one directory. We lock the directory itself (flock on an O_RDONLY fd):
// unlike the file, whose inode changes with every atomic replace, the directory stays the same object,
// and no lock file has to be left lying beside the settings.
class DirLock {
public:
    explicit DirLock(const QByteArray& dir)
        : m_fd(::open(dir.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC))
    {
        if (m_fd < 0)
            return;
        int rc;
        while ((rc = ::flock(m_fd, LOCK_EX)) != 0 && errno == EINTR) {
        }
        // A file system without flock (rare network mounts) still gets atomic replaces, just unserialised.
        m_ok = rc == 0 || errno == ENOLCK || errno == EOPNOTSUPP || errno == EINVAL;
    }
    ~DirLock()
    {
        if (m_fd >= 0)
            ::close(m_fd); // releases the lock
    }
    DirLock(const DirLock&) = delete;
    DirLock& operator=(const DirLock&) = delete;

    bool ok() const { return m_ok; }
    // Makes the rename of the file durable too.
    void sync() const { ::fsync(m_fd); }

private:
    int m_fd;
    bool m_ok = false;
};

bool hasForbidden(const QString& text)
{
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\r' || u == u'\n' || u == 0)
            return true;
    }
    return false;
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

} // namespace

struct IniStore::Private {
    QString path;         // as given
    QString absolutePath; // for QSaveFile
    QByteArray nativePath;
    QByteArray nativeDir;

    IniIndex index;
    // What the parsed copy was made from. A missing file is remembered as such (exists == false).
    bool cached = false;
    bool exists = false;
    dev_t dev = 0;
    ino_t ino = 0;
    off_t size = 0;
    timespec mtime {};
    // Kept open on the inode the copy came from, so that its number cannot be handed to a new file
    // while we compare against it: a rewritten file then always shows a different inode.
    int heldFd = -1;

    ~Private() { release(); }

    void release()
    {
        if (heldFd >= 0)
            ::close(heldFd);
        heldFd = -1;
    }

    bool sameFile(const struct stat& st) const
    {
        return cached && exists && st.st_dev == dev && st.st_ino == ino && st.st_size == size
            && st.st_mtim.tv_sec == mtime.tv_sec && st.st_mtim.tv_nsec == mtime.tv_nsec;
    }

    void remember(const struct stat& st, int fd)
    {
        release();
        heldFd = fd;
        cached = true;
        exists = true;
        dev = st.st_dev;
        ino = st.st_ino;
        size = st.st_size;
        mtime = st.st_mtim;
    }

    void rememberMissing()
    {
        release();
        index = IniIndex();
        cached = true;
        exists = false;
    }

    void forget()
    {
        release();
        index = IniIndex();
        cached = false;
    }

    // Reads and parses the file. False when it cannot be read or is not a regular file.
    bool load()
    {
        const int fd = ::open(nativePath.constData(), O_RDONLY | O_CLOEXEC);
        struct stat st;
        QByteArray bytes;
        if (fd < 0 || ::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || !readAll(fd, bytes, st.st_size)) {
            if (fd >= 0)
                ::close(fd);
            forget();
            return false;
        }
        index = IniIndex(std::move(bytes));
        remember(st, fd);
        return true;
    }

    // Brings the parsed copy up to date with the file (one stat when it is unchanged). A missing file
    // is an empty one; anything else that is not a readable regular file is an error.
    bool refresh()
    {
        struct stat st;
        if (::stat(nativePath.constData(), &st) != 0) {
            if (errno != ENOENT)
                return false;
            if (!cached || exists)
                rememberMissing();
            return true;
        }
        if (sameFile(st))
            return true;
        return load();
    }
};

IniStore::IniStore(QString filePath)
    : d(std::make_unique<Private>())
{
    d->path = std::move(filePath);
    const QFileInfo info(d->path);
    d->absolutePath = info.absoluteFilePath();
    d->nativePath = QFile::encodeName(d->absolutePath);
    d->nativeDir = QFile::encodeName(info.absolutePath());
}

IniStore::~IniStore() = default;

const QString& IniStore::filePath() const
{
    return d->path;
}

QString IniStore::read(const QString& section, const QString& key)
{
    if (!d->refresh())
        return {};
    return d->index.value(section, key);
}

bool IniStore::acceptable(const QString& section, const QString& key, const QString& value)
{
    if (hasForbidden(section) || hasForbidden(key) || hasForbidden(value))
        return false;
    // "=" would end the key early; "[" would make the line a header, ";" a comment to other readers.
    const QStringView k = IniIndex::trimmed(key);
    return !k.contains(u'=') && !k.startsWith(u'[') && !k.startsWith(u';');
}

bool IniStore::write(const QString& section, const QString& key, const QString& value)
{
    if (!acceptable(section, key, value))
        return false;

    // A per-user data directory is made by the first write, not before.
    if (!QDir().mkpath(QFile::decodeName(d->nativeDir)))
        return false;
    DirLock lock(d->nativeDir);
    if (!lock.ok())
        return false;
    // Under the lock nobody else of ours changes the file: bring the copy up to date (usually a stat
    // that shows it unchanged) and apply this one change to it.
    if (!d->refresh())
        return false;
    const std::optional<IniIndex::Edit> edit = d->index.planWrite(section, key, value);
    if (!edit)
        return true; // already on disk exactly so

    QSaveFile out(d->absolutePath);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    if (d->exists) {
        // Keep the file's owner (where we may) and its exact mode.
        struct stat st;
        if (::fstat(d->heldFd, &st) == 0) {
            if (::fchown(out.handle(), st.st_uid, st.st_gid) != 0) {
                // Not ours to give away: the file becomes the writer's, as any editor would leave it.
            }
            ::fchmod(out.handle(), st.st_mode & 07777);
        }
    }
    const QByteArray& bytes = d->index.bytes();
    const qsizetype tail = edit->pos + edit->removed;
    const bool written = out.write(bytes.constData(), edit->pos) == edit->pos
        && out.write(edit->inserted) == edit->inserted.size()
        && out.write(bytes.constData() + tail, bytes.size() - tail) == bytes.size() - tail;
    if (!written) {
        out.cancelWriting();
        return false;
    }
    if (!out.commit())
        return false;
    lock.sync();

    d->index.apply(*edit);
    // Still under the lock, so the file is the one we just wrote: note what it is.
    const int fd = ::open(d->nativePath.constData(), O_RDONLY | O_CLOEXEC);
    struct stat st;
    if (fd >= 0 && ::fstat(fd, &st) == 0 && st.st_size == d->index.bytes().size()) {
        d->remember(st, fd);
    } else {
        if (fd >= 0)
            ::close(fd);
        d->forget();
    }
    return true;
}

} // namespace tavrel
