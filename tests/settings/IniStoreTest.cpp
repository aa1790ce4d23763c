#include "settings/IniStore.h"

#include "SettingsFiles.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>

#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using tavrel::IniStore;

namespace {

std::string fileString(const QString& path) { return readFile(path).toStdString(); }

// How many of the processes hold the file open (writers keep the lock file open while they wait).
int holdingOpen(const QList<qint64>& pids, const QString& file)
{
    int holding = 0;
    for (const qint64 pid : pids) {
        const QDir fds(QStringLiteral("/proc/%1/fd").arg(pid));
        for (const QString& fd : fds.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot))
            if (QFile::symLinkTarget(fds.filePath(fd)) == file) {
                ++holding;
                break;
            }
    }
    return holding;
}

struct stat statOf(const QString& path)
{
    struct stat st {};
    ::stat(QFile::encodeName(path).constData(), &st);
    return st;
}

void setMtime(const QString& path, timespec when)
{
    const timespec times[2] = {when, when};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
}

using IniStoreTest = SettingsDirTest;

// A file made elsewhere keeps every byte but the value written (all after "=" up to the line break).
TEST_F(IniStoreTest, ForeignFileKeepsEveryOtherByte)
{
    const QByteArray head = "\xEF\xBB\xBF; written by hand\r\n\r\n[Game One]\r\n  GameName = Caf\xE9 Racer \r\n"
                            "  Picture =";
    const QByteArray rest = "\r\n[Other]\r\n; next\r\nx=1\r\n\x1A";
    ASSERT_TRUE(writeFile(path, head + "  \"/roms/a=b.png\"  " + rest));
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0640), 0);

    IniStore store(path);
    EXPECT_EQ(store.read("Game One", "picture"), "/roms/a=b.png");
    ASSERT_TRUE(store.write("GAME ONE", "picture", "  /roms/\u00e9t\u00e9.png  "));
    EXPECT_EQ(fileString(path), (head + "  /roms/\xC3\xA9t\xC3\xA9.png  " + rest).toStdString());
    ASSERT_TRUE(store.write("game one", "PICTURE", "final"));
    EXPECT_EQ(fileString(path), (head + "final" + rest).toStdString());
    EXPECT_EQ(statOf(path).st_mode & 07777, 0640u);
    EXPECT_EQ(entries(dir.path()), QStringList {"tavrel.ini"});
}

// 8-bit values read as Latin-1; saved back unchanged they keep their bytes, changed they become UTF-8.
TEST_F(IniStoreTest, EightBitValuesReadAsLatin1AndKeepTheirBytes)
{
    QByteArray before = "[EXEname]\r\n1=neorag\xE9.exe\r\n[x]\r\nq= \"caf\xE9 \xFF\" \r\nlong=" + QByteArray(300, '\xE9')
        + "\r\n";
    ASSERT_TRUE(writeFile(path, before));
    IniStore store(path);
    const QString exe = store.read("EXEname", "1");
    EXPECT_EQ(exe, QString::fromUtf8("neorag\u00e9.exe"));
    EXPECT_EQ(store.read("x", "q"), QString::fromUtf8("caf\u00e9 \u00ff"));
    EXPECT_EQ(store.read("x", "long"), QString(254, QChar(0xE9)));
    ASSERT_TRUE(store.write("EXEname", "1", exe));
    EXPECT_EQ(fileString(path), before.toStdString());

    ASSERT_TRUE(store.write("x", "q", store.read("x", "q")));
    EXPECT_EQ(fileString(path), before.replace("q= \"caf\xE9 \xFF\" ", "q=caf\xE9 \xFF").toStdString());
    ASSERT_TRUE(store.write("EXEname", "1", exe + "2"));
    EXPECT_NE(fileString(path).find("1=neorag\xC3\xA9.exe2\r\n"), std::string::npos);
}

// A U+FEFF is special only as the first thing in the file; inside a name it is a plain character.
TEST_F(IniStoreTest, ByteOrderMarkInsideNamesIsKept)
{
    const QString bom = QStringLiteral("\uFEFF");
    IniStore store(path);
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(store.write(bom + "foo", bom + "key", bom + "v"));
        EXPECT_EQ(store.read(bom + "FOO", bom + "KEY"), bom + "v");
    }
    EXPECT_EQ(fileString(path), "[\xEF\xBB\xBF" "foo]\r\n\xEF\xBB\xBF" "key=\xEF\xBB\xBF" "v\r\n");
    EXPECT_EQ(store.read("foo", "key"), "");

    ASSERT_TRUE(writeFile(path, "\xEF\xBB\xBF[foo]\r\nk=plain\r\n[\xEF\xBB\xBF" "foo]\r\nk=marked\r\n"));
    EXPECT_EQ(store.read("foo", "k"), "plain");
    EXPECT_EQ(store.read(bom + "foo", "k"), "marked");
}

// Names fold case beyond ASCII, the first section of a name wins; cut values keep whole characters.
TEST_F(IniStoreTest, NamesFoldCaseAndCutValuesKeepWholeCharacters)
{
    const QByteArray longName = "a" + QByteArray("\xC3\xA9").repeated(600);
    ASSERT_TRUE(writeFile(path, "[\xC3\x84rger]\nk=" + QByteArray(253, 'x') + "\xF0\x9F\x98\x80\nlong=" + longName
                              + "\n[K]\nq=1\n[\xC3\xA4rger]\nk=second\n[k]\nq=2\n"));
    IniStore store(path);
    EXPECT_EQ(store.read("\u00e4RGER", "k"), QString(253, u'x'));
    EXPECT_EQ(store.read("\u00e4rger", "long"), u'a' + QString(253, QChar(0xE9)));
    EXPECT_EQ(store.read("\u212A", "Q"), "1"); // Kelvin sign folds to "k"
}

// Reads and refused writes create nothing; the first write makes the directories, never inside a file.
TEST_F(IniStoreTest, DirectoriesAreMadeOnlyByAWriteThatCanHappen)
{
    const QString nested = dir.filePath("config/tavrel/tavrel.ini");
    IniStore store(nested);
    EXPECT_EQ(store.read("EXEname", "1"), "");
    for (const char* key : {" [k", "\t;k"})
        EXPECT_FALSE(store.write("s", key, "v")) << key;
    EXPECT_EQ(entries(dir.path()), QStringList {});
    EXPECT_TRUE(IniStore::acceptable("[s]", "k]", "a=[b];c"));
    ASSERT_TRUE(store.write("EXEname", "1", "NeoRAGE.EXE"));
    EXPECT_EQ(entries(dir.filePath("config/tavrel")), QStringList {"tavrel.ini"});
    for (const char* made : {"config", "config/tavrel"})
        EXPECT_EQ(statOf(dir.filePath(made)).st_mode & 07777, 0700u) << made;

    ASSERT_TRUE(writeFile(dir.filePath("plain"), "x"));
    EXPECT_FALSE(IniStore(dir.filePath("plain/tavrel/tavrel.ini")).write("s", "k", "v"));
    EXPECT_EQ(entries(dir.path()), (QStringList {"config", "plain"}));
}

TEST_F(IniStoreTest, AWriteOutOfRoomChangesNothing)
{
    QByteArray big = "[s]\r\nk=old\r\n";
    for (int i = 0; i < 4000; ++i)
        big += "[/roms/game " + QByteArray::number(i) + ".zip]\r\ngamename=Game number " + QByteArray::number(i) + "\r\n";
    ASSERT_TRUE(writeFile(path, big));
    IniStore store(path);
    struct rlimit old {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    const rlimit small {rlim_t(big.size() / 2), old.rlim_max};
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool ok = store.write("s", "k", "new");
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(ok);
    EXPECT_EQ(fileString(path), big.toStdString());
    EXPECT_EQ(entries(dir.path()), QStringList {"tavrel.ini"});
    EXPECT_EQ(store.read("s", "k"), "old");
    EXPECT_TRUE(store.write("s", "k", "new"));
}

// Changes behind the store's back that keep the size: in place (new time), replaced (equal time).
TEST_F(IniStoreTest, ParsedCopyNoticesOutsideChanges)
{
    ASSERT_TRUE(writeFile(path, "[s]\nk=aaaa\n"));
    IniStore store(path);
    ASSERT_EQ(store.read("s", "k"), "aaaa");

    const struct stat first = statOf(path);
    ASSERT_TRUE(writeFile(path, "[s]\nk=bbbb\n")); // rewritten in place
    setMtime(path, {first.st_mtim.tv_sec + 1, first.st_mtim.tv_nsec});
    EXPECT_EQ(store.read("s", "k"), "bbbb");

    const struct stat second = statOf(path);
    const QString other = dir.filePath("other");
    ASSERT_TRUE(writeFile(other, "[s]\nk=cccc\n"));
    setMtime(other, second.st_mtim);
    ASSERT_EQ(::rename(QFile::encodeName(other).constData(), QFile::encodeName(path).constData()), 0);
    EXPECT_EQ(store.read("s", "k"), "cccc");

    ASSERT_TRUE(QFile::remove(path));
    EXPECT_EQ(store.read("s", "k"), "");
    ASSERT_TRUE(writeFile(path, "[s]\nk=dddd\n"));
    EXPECT_EQ(store.read("s", "k"), "dddd");
}

// Random writes through one store (patching its copy) give the bytes and answers of fresh stores.
TEST_F(IniStoreTest, PatchedCopyMatchesFullParse)
{
    QByteArray start = "\xEF\xBB\xBF";
    for (int i = 0; i < 60; ++i) {
        start += "[Sect " + QByteArray::number(i) + " \xC3\x84]\n";
        for (int k = 0; k < 3; ++k)
            start += "key" + QByteArray::number(k) + " = value " + QByteArray::number(i * 10 + k) + "\n";
        if (i % 7 == 0)
            start += "\n; comment\n\n";
    }
    const QString pathB = dir.filePath("fresh.ini");
    ASSERT_TRUE(writeFile(path, start) && writeFile(pathB, start));

    QRandomGenerator rng(1234);
    IniStore kept(path);
    auto sectionName = [](quint32 i) { return (i % 2 ? QStringLiteral("sect %1 \u00e4") : QStringLiteral("SECT %1 \u00c4")).arg(i); };
    for (int step = 0; step < 200; ++step) {
        const QString section = sectionName(rng.bounded(80u)); // some new, most existing
        const QString key = QStringLiteral("Key%1").arg(rng.bounded(6u));
        const QString value = QString(int(rng.bounded(30u)), QChar(u'a' + int(rng.bounded(26u))));
        ASSERT_TRUE(kept.write(section, key, value) && IniStore(pathB).write(section, key, value));
        const QString probe = sectionName(rng.bounded(80u)), probeKey = QStringLiteral("key%1").arg(rng.bounded(6u));
        ASSERT_EQ(kept.read(probe, probeKey), IniStore(path).read(probe, probeKey)) << step;
    }
    EXPECT_EQ(fileString(path), fileString(pathB));
}

// Writers at once, two through links from other folders: no write lost, no section doubled, links kept.
TEST_F(IniStoreTest, ConcurrentWritersLoseNothing)
{
    constexpr int kWriters = 3;
    constexpr int kKeys = 300;
    const QString paths[kWriters] = {path, dir.filePath("a/tavrel.ini"), dir.filePath("b/tavrel.ini")};
    ASSERT_TRUE(QDir(dir.path()).mkpath("a") && QDir(dir.path()).mkpath("b"));
    ASSERT_TRUE(QFile::link("../tavrel.ini", paths[1]) && QFile::link(path, paths[2]));
    // Held until all writers wait for it, so that they really run together.
    const QString lockFile = path + ".lock";
    const int lockFd = ::open(QFile::encodeName(lockFile).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    ASSERT_GE(lockFd, 0);
    ASSERT_EQ(::flock(lockFd, LOCK_EX), 0);
    QProcess procs[kWriters];
    QList<qint64> pids;
    for (int w = 0; w < kWriters; ++w) {
        procs[w].start(QStringLiteral(TAVREL_INI_WRITER), {paths[w], QStringLiteral("w%1_").arg(w), QString::number(kKeys)});
        pids << (procs[w].waitForStarted() ? procs[w].processId() : 0);
    }
    const QDeadlineTimer patience(2000);
    while (holdingOpen(pids, lockFile) < kWriters && !patience.hasExpired())
        QThread::msleep(2);
    const int waiting = holdingOpen(pids, lockFile);
    ::unlink(QFile::encodeName(lockFile).constData());
    ::close(lockFd);
    ASSERT_EQ(waiting, kWriters) << "the writers did not all queue for the lock";
    for (auto& p : procs) {
        ASSERT_TRUE(p.waitForFinished(60000));
        EXPECT_TRUE(p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0) << p.readAllStandardError().toStdString();
    }

    IniStore store(path);
    for (int w = 0; w < kWriters; ++w)
        for (int i = 0; i < kKeys; ++i)
            ASSERT_EQ(store.read(QStringLiteral("s%1").arg(i % 5), QStringLiteral("w%1_%2").arg(w).arg(i)),
                      QStringLiteral("v%1-w%2_").arg(i).arg(w));
    const QByteArray bytes = QByteArray::fromStdString(fileString(path));
    EXPECT_EQ(bytes.count("\r\n"), 5 + kWriters * kKeys);
    for (int s = 0; s < 5; ++s)
        EXPECT_EQ(bytes.count("[s" + QByteArray::number(s) + "]"), 1);
    EXPECT_EQ(entries(dir.path()), (QStringList {"a", "b", "tavrel.ini"}));
    EXPECT_TRUE(QFileInfo(paths[1]).isSymLink() && QFileInfo(paths[2]).isSymLink());
}

} // namespace
