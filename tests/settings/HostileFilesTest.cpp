// Settings files that others put in our way: a writer killed at the worst moment, things that are not
// regular files, and section names built to defeat a fixed hash. Each reading or writing that could
// hang runs in a second process that must finish promptly.
#include "settings/IniStore.h"

#include "SettingsFiles.h"

#include <QProcess>

#include <cstring>
#include <functional>
#include <optional>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <utility>

using tavrel::IniStore;

namespace {

struct Finished {
    int exitCode;
    QByteArray out;
};

// Runs the helper; nothing when it was killed or had not finished within ten seconds.
std::optional<Finished> runHelper(const QStringList& args, bool killAtRename = false)
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
    return Finished {p.exitCode(), p.readAllStandardOutput()};
}

std::optional<QString> readInChild(const QString& path, const QString& section, const QString& key)
{
    const auto r = runHelper({QStringLiteral("--read"), path, section, key});
    return r && r->exitCode == 0 ? std::optional(QString::fromUtf8(r->out)) : std::nullopt;
}

using HostileFiles = SettingsDirTest;

// A writer killed between writing its new copy and renaming it leaves at most one temporary file, and
// the next write, even one that changes nothing, removes it.
TEST_F(HostileFiles, KilledWriterLeavesNoStrayCopy)
{
    const QByteArray before = "[s0]\r\nk=old\r\n";
    ASSERT_TRUE(writeFile(path, before));
    for (int kill = 0; kill < 2; ++kill) {
        EXPECT_FALSE(runHelper({path, QStringLiteral("w"), QStringLiteral("1")}, true)) << "not killed";
        EXPECT_EQ(readFile(path), before);
        EXPECT_LE(entries(dir.path()).size(), 2);
    }
    EXPECT_TRUE(IniStore(path).write("s0", "k", "old"));
    EXPECT_EQ(entries(dir.path()), QStringList {"tavrel.ini"});
}

// A FIFO, a link to one, a socket or a directory in the file's place reads as a missing file, is never
// opened for reading (a FIFO would block for ever), and is never replaced.
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
        struct stat before {};
        ASSERT_EQ(::lstat(native.constData(), &before), 0);
        const QStringList listed = entries(dir.path());

        EXPECT_EQ(readInChild(path, "Pictures", "1"), QString());
        const auto written = runHelper({path, QStringLiteral("w"), QStringLiteral("1")});
        ASSERT_TRUE(written) << "a write hung or crashed";
        EXPECT_EQ(written->exitCode, 1);

        struct stat after {};
        ASSERT_EQ(::lstat(native.constData(), &after), 0);
        EXPECT_EQ(after.st_ino, before.st_ino);
        EXPECT_EQ(after.st_mode, before.st_mode);
        EXPECT_EQ(entries(dir.path()), listed);

        if (sock >= 0)
            ::close(std::exchange(sock, -1));
        ASSERT_TRUE(QFile::remove(path) || QDir(dir.path()).rmdir(QStringLiteral("tavrel.ini")));
    }
}

// Names of 16 bytes whose hash under the fixed function below is the same. That function is a plain
// multiply/xor-shift hash with no per-process seed; a header index keyed by such a hash lets such names
// make start-up quadratic. The last eight bytes cancel the state left by the first eight, so every name ends in the
// same state; byte k of (v * M) depends only on bytes 0..k of v, so the first eight are searched byte
// by byte, keeping only those that leave printable bytes for the last eight.
constexpr quint64 kMul = 0xff51afd7ed558ccdull;
constexpr quint64 kStart = 0x9e3779b97f4a7c15ull;

// The fixed function's state after a name's two words; what it does after them depends on nothing else.
quint64 fixedHashState(const QByteArray& name)
{
    quint64 h = kStart ^ 16, w[2];
    std::memcpy(w, name.constData(), 16);
    for (const quint64 word : w) {
        h = (h ^ word) * kMul;
        h ^= h >> 32;
    }
    return h;
}

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
    for (size_t i = 0; i < names.size(); ++i) {
        ASSERT_EQ(fixedHashState(names[i]), fixedHashState(names[0]));
        file += '[' + names[i] + "]\nk=" + QByteArray::number(qulonglong(i)) + '\n';
    }
    ASSERT_TRUE(writeFile(path, file));

    // Start-up reads one value from the file: it must finish, and find the right section.
    EXPECT_EQ(readInChild(path, QString::fromLatin1(names.back()), "k"), QString::number(kCount - 1));
}

} // namespace
