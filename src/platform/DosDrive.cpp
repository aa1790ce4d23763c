#include "platform/DosDrive.h"

#include "launch/DosNames.h"
#include "settings/IniFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tavrel {

namespace {

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

// Removes a folder of links of ours: each link is unlinked, never followed. Anything else in it (what
// an emulator made there and could not be moved out) is kept, the folder renamed aside with it.
void removeLinkFolder(const QByteArray& path)
{
    if (DIR* dir = opendir(path.constData())) {
        const int fd = dirfd(dir);
        struct stat info {};
        while (const dirent* entry = readdir(dir))
            if (fstatat(fd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(info.st_mode))
                unlinkat(fd, entry->d_name, 0);
        closedir(dir);
    }
    if (rmdir(path.constData()) != 0 && errno == ENOTEMPTY)
        rename(path.constData(), (path + ".kept-" + QByteArray::number(QDateTime::currentMSecsSinceEpoch())).constData());
}

// A link replaced in one step: made under a temporary name, renamed over the old one.
bool replaceLink(const QByteArray& target, const QByteArray& link)
{
    const QByteArray fresh = link + ".new";
    unlink(fresh.constData());
    return symlink(target.constData(), fresh.constData()) == 0 && rename(fresh.constData(), link.constData()) == 0;
}

} // namespace

DosDrives stageDosDrives(const QString& root, const QString& emulatorFolder, const QString& dataDir,
                         const QString& gameFolder, const QString& gameName)
{
    DosDrives drives{root, {}, {}};
    const QByteArray base = QFile::encodeName(root);
    // Made private, and made so again should it already exist with a looser mode.
    if (!inifile::makePrivateDirectories(base) || chmod(base.constData(), 0700) != 0) {
        drives.error = systemError();
        return drives;
    }
    if (!replaceLink(QFile::encodeName(emulatorFolder), base + "/c")
        || !replaceLink(QFile::encodeName(dataDir), base + "/e")) {
        drives.error = systemError();
        return drives;
    }
    if (gameFolder.isEmpty())
        return drives;

    QList<QByteArray> raw;
    QStringList entries;
    const QByteArray folder = QFile::encodeName(gameFolder);
    if (DIR* dir = opendir(folder.constData())) {
        while (const dirent* entry = readdir(dir)) {
            if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0) {
                raw << QByteArray(entry->d_name);
                entries << QFile::decodeName(entry->d_name);
            }
        }
        closedir(dir);
    }
    if (!gameName.isEmpty() && !entries.contains(gameName)) {
        raw << QFile::encodeName(gameName);
        entries << gameName;
    }
    const QHash<QString, QString> names = dosNames(entries);
    drives.gameName = names.value(gameName);

    // The same folder unchanged since its links were made (its entries' names are what its time of
    // change covers) keeps them: a full folder's links take a moment to make.
    struct stat info {};
    const QByteArray stamp = stat(folder.constData(), &info) == 0
        ? folder + '\n' + QByteArray::number(qint64(info.st_mtim.tv_sec)) + '.'
            + QByteArray::number(qint64(info.st_mtim.tv_nsec)) + '\n' + QByteArray::number(raw.size())
        : QByteArray();
    const QByteArray stampPath = base + "/d.made";
    QFile made(QFile::decodeName(stampPath));
    if (!stamp.isEmpty() && made.open(QIODevice::ReadOnly) && made.readAll() == stamp
        && access((base + "/d").constData(), F_OK) == 0)
        return drives;
    made.close();
    unlink(stampPath.constData());

    const QByteArray fresh = base + "/d.new";
    const QByteArray old = base + "/d.old";
    removeLinkFolder(fresh);
    removeLinkFolder(old);
    if (mkdir(fresh.constData(), 0700) != 0) {
        drives.error = systemError();
        return drives;
    }
    const int fd = open(fresh.constData(), O_RDONLY | O_DIRECTORY);
    const QByteArray prefix = gameFolder.endsWith(u'/') ? folder : folder + '/';
    for (qsizetype i = 0; i < raw.size() && fd >= 0; ++i) {
        if (symlinkat((prefix + raw[i]).constData(), fd, names.value(entries[i]).toLatin1().constData()) != 0) {
            drives.error = systemError();
            break;
        }
    }
    if (fd < 0)
        drives.error = systemError();
    else
        close(fd);
    const QByteArray current = base + "/d";
    if (!drives.error.isEmpty() || (rename(current.constData(), old.constData()) != 0 && errno != ENOENT)
        || rename(fresh.constData(), current.constData()) != 0) {
        if (drives.error.isEmpty())
            drives.error = systemError();
        removeLinkFolder(fresh);
        return drives;
    }
    removeLinkFolder(old);
    if (!stamp.isEmpty() && made.open(QIODevice::WriteOnly))
        made.write(stamp);
    return drives;
}

QString dosStagingRoot()
{
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty() && !dosboxMount(u'C', runtime).isEmpty())
        return runtime + QStringLiteral("/tavrel-dos");
    return QDir::tempPath() + QStringLiteral("/tavrel-dos-") + QString::number(getuid());
}

} // namespace tavrel
