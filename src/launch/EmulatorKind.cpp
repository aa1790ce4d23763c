#include "launch/EmulatorKind.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

namespace tavrel {

FirstWord firstShellWord(const QString& command)
{
    FirstWord first;
    qsizetype i = 0;
    const qsizetype n = command.size();
    auto blank = [&](qsizetype at) { return command[at] == u' ' || command[at] == u'\t'; };
    while (i < n && blank(i))
        ++i;
    while (i < n && !blank(i)) {
        const QChar c = command[i++];
        if (c == u'\'') {
            while (i < n && command[i] != u'\'')
                first.word += command[i++];
            ++i;
        } else if (c == u'"') {
            while (i < n && command[i] != u'"') {
                // Inside double quotes a backslash escapes only these.
                if (command[i] == u'\\' && i + 1 < n && QStringView(u"\\\"$`").contains(command[i + 1]))
                    ++i;
                first.word += command[i++];
            }
            ++i;
        } else if (c == u'\\' && i < n) {
            first.word += command[i++];
        } else {
            first.word += c;
        }
    }
    first.end = std::min(i, n);
    return first;
}

namespace {

// A regular file in the folder whose name equals the given one, ignoring letter case; the first in
// name order, so that the same folder always gives the same file.
QString caseInsensitiveMatch(const QString& folder, const QString& name)
{
    const QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QString& candidate : names)
        if (candidate.compare(name, Qt::CaseInsensitive) == 0)
            return QDir(folder).filePath(candidate);
    return {};
}

bool isFile(const QString& path)
{
    return QFileInfo(path).isFile();
}

} // namespace

QString findEmulator(const QString& word, const QString& dataDir, const QStringList& searchPath)
{
    if (word.isEmpty())
        return {};
    if (word.contains(u'/')) {
        const QString path = QDir(dataDir).absoluteFilePath(word);
        if (isFile(path))
            return QDir::cleanPath(path);
        const QFileInfo info(path);
        const QString match = word.endsWith(u'/') ? QString() : caseInsensitiveMatch(info.path(), info.fileName());
        return match.isEmpty() ? QString() : QDir::cleanPath(match);
    }
    QStringList folders{dataDir};
    for (const QString& folder : searchPath)
        folders << (folder.isEmpty() ? dataDir : folder);
    for (const QString& folder : folders)
        if (isFile(QDir(folder).filePath(word)))
            return QDir::cleanPath(QDir(folder).absoluteFilePath(word));
    for (const QString& folder : folders) {
        const QString match = caseInsensitiveMatch(folder, word);
        if (!match.isEmpty())
            return QDir::cleanPath(QDir(folder).absoluteFilePath(match));
    }
    return {};
}

EmulatorKind classifyExecutable(QIODevice& file, const QString& fileName)
{
    const QByteArray head = file.read(64);
    if (head.startsWith("MZ")) {
        if (head.size() == 64) {
            const quint32 peOffset = qFromLittleEndian<quint32>(head.constData() + 0x3C);
            if (peOffset >= 64 && file.seek(peOffset)) {
                const QByteArray pe = file.read(6);
                if (pe.size() == 6 && pe.startsWith(QByteArrayView("PE\0\0", 4))) {
                    const quint16 machine = qFromLittleEndian<quint16>(pe.constData() + 4);
                    return machine == 0x14c ? EmulatorKind::Windows32 : EmulatorKind::Windows64;
                }
            }
        }
        return EmulatorKind::Dos;
    }
    if (head.startsWith("\x7f" "ELF") || head.startsWith("#!"))
        return EmulatorKind::Linux;
    return fileName.endsWith(QLatin1String(".com"), Qt::CaseInsensitive) ? EmulatorKind::Dos : EmulatorKind::Linux;
}

EmulatorKind emulatorKind(const QString& path)
{
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
        return EmulatorKind::Linux;
    return classifyExecutable(file, QFileInfo(path).fileName());
}

} // namespace tavrel
