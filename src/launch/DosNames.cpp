#include "launch/DosNames.h"

#include <algorithm>
#include <utility>
#include <vector>
#include <QSet>

namespace tavrel {

namespace {

bool usable(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9')
        || QStringView(u"!#$&'()-@^_`{}~").contains(c);
}

QString usablePart(QStringView text, qsizetype most)
{
    QString out;
    for (QChar c : text)
        if (usable(c) && c != u'~' && out.size() < most)
            out += c.toUpper();
    return out;
}

} // namespace

bool isDosName(const QString& name)
{
    const qsizetype dot = name.indexOf(u'.');
    const qsizetype baseLength = dot < 0 ? name.size() : dot;
    const qsizetype extLength = dot < 0 ? 0 : name.size() - dot - 1;
    if (baseLength < 1 || baseLength > 8 || extLength > 3 || (dot >= 0 && extLength == 0))
        return false;
    return std::all_of(name.begin(), name.end(), [](QChar c) { return c == u'.' || usable(c); })
        && name.count(u'.') <= 1;
}

QString dosAlias(const QString& name, int round)
{
    // A crowded beginning (a whole folder of "Game ...") still leaves room: from round 8 on the alias is
    // all hash.
    const int hashLength = round < 8 ? 4 : 7;
    const qsizetype dot = name.lastIndexOf(u'.');
    const bool hasExtension = dot > 0;
    const QString base = usablePart(QStringView(name).left(hasExtension ? dot : name.size()), 7 - hashLength);
    const QString extension = hasExtension ? usablePart(QStringView(name).mid(dot + 1), 3) : QString();

    quint64 hash = 14695981039346656037ull;
    auto mix = [&hash](quint8 byte) {
        hash ^= byte;
        hash *= 1099511628211ull;
    };
    for (char byte : name.toUtf8())
        mix(quint8(byte));
    if (round > 0)
        for (int shift = 0; shift < 32; shift += 8)
            mix(quint8(round >> shift));
    static const char digits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    QString alias = base + u'~';
    for (int i = 0; i < hashLength; ++i, hash /= 36)
        alias += QLatin1Char(digits[hash % 36]);
    return extension.isEmpty() ? alias : alias + u'.' + extension;
}

QHash<QString, QString> dosNames(const QStringList& entries)
{
    // Byte order of the UTF-8 forms: the same for every locale.
    std::vector<std::pair<QByteArray, QString>> sorted;
    sorted.reserve(entries.size());
    for (const QString& name : entries)
        sorted.emplace_back(name.toUtf8(), name);
    std::sort(sorted.begin(), sorted.end());
    QHash<QString, QString> names;
    names.reserve(entries.size());
    QSet<QString> taken;
    taken.reserve(entries.size());
    QStringList aliased;
    for (const auto& [bytes, name] : sorted) {
        const QString upper = name.toUpper();
        if (isDosName(name) && !taken.contains(upper)) {
            names.insert(name, upper);
            taken.insert(upper);
        } else {
            aliased << name;
        }
    }
    for (const QString& name : aliased) {
        QString alias = dosAlias(name);
        for (int round = 1; taken.contains(alias); ++round)
            alias = dosAlias(name, round);
        names.insert(name, alias);
        taken.insert(alias);
    }
    return names;
}

QString dosboxMount(QChar drive, const QString& hostPath)
{
    if (hostPath.contains(u'"'))
        return {};
    QString path = hostPath;
    path.replace(u'%', QLatin1String("%%"));
    return QStringLiteral("mount %1 \"%2\"").arg(drive, path);
}

QString wineZPath(const QString& path)
{
    QString z = path;
    z.replace(u'/', u'\\');
    return QStringLiteral("Z:") + z;
}

} // namespace tavrel
