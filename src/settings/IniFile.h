#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <initializer_list>
#include <sys/types.h>
#include <time.h>

// The settings store's calls to the operating system, and the only place in it that makes them. Qt
// offers no directory lock, no fsync of a directory, no open that cannot block on a FIFO, and its
// QSaveFile leaves a copy under a new random name whenever a writer is killed before its rename.
namespace tavrel::inifile {

// What a parsed copy was made from; any change to the file changes one of these.
struct Identity {
    dev_t dev = 0;
    ino_t ino = 0;
    off_t size = 0;
    timespec mtime {};
    bool operator==(const Identity& o) const
    {
        return dev == o.dev && ino == o.ino && size == o.size && mtime.tv_sec == o.mtime.tv_sec
            && mtime.tv_nsec == o.mtime.tv_nsec;
    }
};

// Special: a FIFO, socket, device or directory, which the store never opens or replaces.
enum class Kind { Missing, Regular, Special, Unreadable };

// One stat of the path, symbolic links followed.
Kind probe(const QByteArray& path, Identity* identity);

// A regular file held open, so that its inode number cannot be given to a new file while a parsed
// copy is compared against it: a rewritten file then always shows a different inode.
class HeldFile {
public:
    HeldFile() = default;
    ~HeldFile() { close(); }
    HeldFile(HeldFile&& other) noexcept;
    HeldFile& operator=(HeldFile&& other) noexcept;

    // Opens without blocking and reads the whole file. False (and closed) unless it is a readable
    // regular file.
    bool load(const QByteArray& path, QByteArray& bytes);
    void close();
    bool isOpen() const { return m_fd >= 0; }
    const Identity& identity() const { return m_identity; }

private:
    friend bool replace(const QByteArray&, const QByteArray&, std::initializer_list<QByteArrayView>,
                        const HeldFile*, HeldFile&);
    bool adopt(int fd); // takes fd; false (fd closed) when it is not a regular file

    int m_fd = -1;
    Identity m_identity;
};

// Serialises the writers of one file: an exclusive lock on "<file>.lock" beside it. Only the owner may
// open that file (0600), so no other user can hold the lock, and it lies on the same file system in the
// same directory, so every writer of the file meets the same lock however it reached the file (a link
// in another directory, another user sharing the folder). The holder removes it on release: nothing
// stays beside the settings. A lock not had within `patienceMs` is given up: the write then fails.
class WriteLock {
public:
    WriteLock(const QByteArray& file, int patienceMs);
    ~WriteLock();
    WriteLock(const WriteLock&) = delete;
    WriteLock& operator=(const WriteLock&) = delete;

    bool ok() const { return m_ok; }
    // Makes a rename in the file's directory durable.
    void sync() const;

private:
    QByteArray m_path;
    int m_dirFd = -1;
    int m_fd = -1;
    bool m_ok = false;
};

// True when the existing file may be replaced: it opens for writing, and its mode lets someone write
// it (so a file made read-only stays so even for root).
bool replaceable(const QByteArray& file);

// Makes the directory and any missing parents, each only the owner's (0700).
bool makePrivateDirectories(const QByteArray& dir);

// Removes a temporary file left by a writer that was killed (only ever called under the WriteLock).
void removeStale(const QByteArray& temp);

// Writes the pieces to `temp` (which removeStale has cleared), flushes them to disk and renames the
// result over `target`. The new
// file takes the owner (where allowed) and mode of `like` when given. On success `written` holds the
// new file; on failure nothing is left behind and the target is untouched.
bool replace(const QByteArray& target, const QByteArray& temp, std::initializer_list<QByteArrayView> pieces,
             const HeldFile* like, HeldFile& written);

} // namespace tavrel::inifile
