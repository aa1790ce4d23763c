// Settings files others put in our way; whatever could hang runs in a second process that must finish.
#include "settings/IniStore.h"

#include "SettingsFiles.h"

#include <QProcess>

#include <cstring>
#include <fcntl.h>
#include <functional>
#include <optional>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <utility>

using tavrel::IniStore;

namespace {

// Runs the helper: its exit code and output; nothing when it was killed or had not finished in ten seconds.
std::optional<std::pair<int, QByteArray>> runHelper(const QStringList& args, bool killAtRename = false)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (killAtRename)
        env.insert(QStringLiteral("TAVREL_KILL_AT_RENAME"), QStringLiteral("1"));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(TAVREL_INI_WRITER), args);
    if (!p.waitForFinished(10000)) {
        p.kill();
        p.waitForFinished();
        return std::nullopt;
    }
    if (p.exitStatus() != QProcess::NormalExit)
        return std::nullopt;
    return std::pair {p.exitCode(), p.readAllStandardOutput()};
}

std::optional<QString> readInChild(const QString& path, const QString& section, const QString& key)
{
    const auto r = runHelper({QStringLiteral("--read"), path, section, key});
    return r && r->first == 0 ? std::optional(QString::fromUtf8(r->second)) : std::nullopt;
}

// The exit code of one write in a second process; -1 when it hung or crashed.
int writeInChild(const QString& path, bool killAtRename = false)
{
    const auto r = runHelper({path, QStringLiteral("w"), QStringLiteral("1")}, killAtRename);
    return r ? r->first : -1;
}

using HostileFiles = SettingsDirTest;

// A writer killed before its rename leaves at most a temporary and a lock file; the next write clears them.
// A lock on the folder (anyone may take one) holds up no write; the owner-only lock file held too long
// makes the write give up; a read-only file is never replaced.
TEST_F(HostileFiles, KilledWritersForeignLocksAndReadOnlyFilesLoseNothing)
{
    const QByteArray before = "[s0]\r\nk=old\r\n";
    ASSERT_TRUE(writeFile(path, before));
    for (int kill = 0; kill < 2; ++kill) {
        EXPECT_EQ(writeInChild(path, true), -1) << "not killed";
        EXPECT_EQ(readFile(path), before);
        EXPECT_LE(entries(dir.path()).size(), 3);
    }
    EXPECT_TRUE(IniStore(path).write("s0", "k", "old"));
    EXPECT_EQ(entries(dir.path()), QStringList {"tavrel.ini"});

    const int dirFd = ::open(QFile::encodeName(dir.path()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_EQ(::flock(dirFd, LOCK_EX), 0);
    EXPECT_EQ(writeInChild(path), 0) << "the write waited for the directory's lock";
    ::close(dirFd);

    IniStore store(path);
    const QByteArray lockFile = QFile::encodeName(path) + ".lock";
    const int lockFd = ::open(lockFile.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    ASSERT_EQ(::flock(lockFd, LOCK_EX), 0);
    EXPECT_FALSE(store.write("s0", "k", "new"));
    ::unlink(lockFile.constData());
    ::close(lockFd);
    EXPECT_EQ(store.read("s0", "k"), "old");

    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0444), 0);
    EXPECT_FALSE(store.write("s0", "k", "new"));
    EXPECT_EQ(readFile(path), "[s0]\r\nk=old\r\nw0=v0-w\r\n");
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0644), 0);
    EXPECT_TRUE(store.write("s0", "k", "new"));
    EXPECT_EQ(entries(dir.path()), QStringList {"tavrel.ini"});
}

// A FIFO, a link to one, a socket or a directory in the file's place reads as missing and is never replaced.
TEST_F(HostileFiles, NonRegularFileReadsEmptyAndIsNeverReplaced)
{
    const QByteArray native = QFile::encodeName(path);
    const QString fifo = dir.filePath(QStringLiteral("pipe"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);

    int sock = -1;
    const std::pair<const char*, std::function<bool()>> kinds[] = {
        {"FIFO", [&] { return ::mkfifo(native.constData(), 0600) == 0; }},
        {"link to a FIFO", [&] { return QFile::link(fifo, path); }},
        {"socket", [&] {
             sockaddr_un addr {AF_UNIX, {}};
             std::strncpy(addr.sun_path, native.constData(), sizeof(addr.sun_path) - 1);
             sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
             return sock >= 0 && ::bind(sock, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)) == 0;
         }},
        {"directory", [&] { return QDir(dir.path()).mkdir(QStringLiteral("tavrel.ini")); }},
    };
    for (const auto& [kind, make] : kinds) {
        SCOPED_TRACE(kind);
        ASSERT_TRUE(make());
        struct stat before {}, after {};
        ASSERT_EQ(::lstat(native.constData(), &before), 0);
        const QStringList listed = entries(dir.path());
        EXPECT_EQ(readInChild(path, "Pictures", "1"), QString());
        EXPECT_EQ(writeInChild(path), 1);
        ASSERT_EQ(::lstat(native.constData(), &after), 0);
        EXPECT_TRUE(after.st_ino == before.st_ino && after.st_mode == before.st_mode);
        EXPECT_EQ(entries(dir.path()), listed);

        if (sock >= 0)
            ::close(std::exchange(sock, -1));
        ASSERT_TRUE(QFile::remove(path) || QDir(dir.path()).rmdir(QStringLiteral("tavrel.ini")));
    }
}

// 16-byte names sharing one state of an unseeded multiply/xor-shift hash (an index keyed by it would make
// start-up quadratic): the last eight bytes cancel the first eight's state; byte k of (v * M) depends on
// bytes 0..k of v only, so the first eight are searched byte by byte, keeping printable second words.
constexpr quint64 kMul = 0xff51afd7ed558ccdull;
constexpr quint64 kStart = 0x9e3779b97f4a7c15ull;

std::vector<QByteArray> namesSharingOneFixedHash(size_t count)
{
    // Printable, already lower case, no "]" and no blank: the name is stored and matched as it is.
    auto usable = [](unsigned b) { return b > 0x20 && b < 0x7f && !(b >= 'A' && b <= 'Z') && b != ']'; };
    auto byteOf = [](quint64 w, int k) { return unsigned(w >> (8 * k)) & 0xffu; };
    std::vector<QByteArray> names;
    quint64 first = 0;
    std::function<void(int)> search = [&](int k) {
        for (unsigned b = 0x21; b < 0x7f && names.size() < count; ++b) {
            if (!usable(b))
                continue;
            first = (first & ~(quint64(0xff) << (8 * k))) | (quint64(b) << (8 * k));
            const quint64 x = ((kStart ^ 16) ^ first) * kMul;
            // The second word must equal the state after the first, x ^ (x >> 32): its byte k is x's
            // byte k, its byte k - 4 that byte xor byte k - 4.
            if (k >= 4 && !(usable(byteOf(x, k)) && usable(byteOf(x, k) ^ byteOf(x, k - 4))))
                continue;
            if (k < 7) {
                search(k + 1);
                continue;
            }
            const quint64 second = x ^ (x >> 32);
            QByteArray name(16, Qt::Uninitialized);
            std::memcpy(name.data(), &first, 8);
            std::memcpy(name.data() + 8, &second, 8);
            names.push_back(name);
        }
    };
    search(0);
    return names;
}

TEST_F(HostileFiles, SectionNamesBuiltToCollideStayCheap)
{
    constexpr size_t kCount = 100000;
    const std::vector<QByteArray> names = namesSharingOneFixedHash(kCount);
    ASSERT_EQ(names.size(), kCount);
    QByteArray file;
    for (size_t i = 0; i < names.size(); ++i)
        file += '[' + names[i] + "]\nk=" + QByteArray::number(qulonglong(i)) + '\n';
    ASSERT_TRUE(writeFile(path, file));
    EXPECT_EQ(readInChild(path, QString::fromLatin1(names.back()), "k"), QString::number(kCount - 1));
}

} // namespace
