#include "settings/IniStore.h"

#include "settings/IniFile.h"
#include "settings/IniIndex.h"

#include <QFile>
#include <QFileInfo>

namespace tavrel {

namespace {

// Another writer holds the lock for a millisecond or so; one that holds it for seconds is stuck or
// hostile, and the window's thread must not wait on it.
constexpr int kLockPatienceMs = 3000;

bool hasForbidden(const QString& text)
{
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\r' || u == u'\n' || u == 0)
            return true;
    }
    return false;
}

// The file a write replaces: the end of a chain of symbolic links (so the user's link survives), else
// the path itself. Its temporary file lies beside it, on the same file system.
QString writeTarget(const QString& path)
{
    QFileInfo info(path);
    for (int depth = 0; depth < 40 && info.isSymLink(); ++depth)
        info.setFile(info.symLinkTarget());
    return info.isSymLink() ? path : info.absoluteFilePath();
}

} // namespace

struct IniStore::Private {
    QString path;         // as given
    QString absolutePath;
    QByteArray nativePath;
    QByteArray nativeDir;

    IniIndex index;
    // What the parsed copy was made from: nothing yet, a missing file, or the file held open.
    enum class Source { None, Missing, File } source = Source::None;
    inifile::HeldFile held;

    void forget()
    {
        held.close();
        index = IniIndex();
        source = Source::None;
    }

    // Brings the parsed copy up to date with the file (one stat when it is unchanged). A missing file
    // reads as empty. Anything that is not a readable regular file (a FIFO, a socket, a directory)
    // also reads as empty, but is reported so that nothing ever replaces it.
    bool refresh()
    {
        inifile::Identity now;
        switch (inifile::probe(nativePath, &now)) {
        case inifile::Kind::Missing:
            if (source != Source::Missing) {
                forget();
                source = Source::Missing;
            }
            return true;
        case inifile::Kind::Regular:
            if (source == Source::File && held.identity() == now)
                return true;
            break;
        case inifile::Kind::Special:
        case inifile::Kind::Unreadable:
            forget();
            return false;
        }
        QByteArray bytes;
        if (!held.load(nativePath, bytes)) {
            forget();
            return false;
        }
        index = IniIndex(std::move(bytes));
        source = Source::File;
        return true;
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
    if (!inifile::makePrivateDirectories(d->nativeDir))
        return false;
    const QByteArray target = QFile::encodeName(writeTarget(d->absolutePath));
    inifile::WriteLock lock(target, kLockPatienceMs);
    if (!lock.ok())
        return false;
    const QByteArray temp = target + ".tmp";
    // Whatever a killed writer left is gone once any write has run, even one that changes nothing.
    inifile::removeStale(temp);
    // Under the lock nobody else of ours changes the file: bring the copy up to date (usually a stat
    // that shows it unchanged) and apply this one change to it.
    if (!d->refresh())
        return false;
    // A file its owner made read-only, or another user's that we may not write, stays as it is.
    if (d->source == Private::Source::File && !inifile::replaceable(target))
        return false;
    const std::optional<IniIndex::Edit> edit = d->index.planWrite(section, key, value);
    if (!edit)
        return true; // already on disk exactly so

    const QByteArray& bytes = d->index.bytes();
    const qsizetype tail = edit->pos + edit->removed;
    inifile::HeldFile written;
    if (!inifile::replace(target, temp,
                          {QByteArrayView(bytes.constData(), edit->pos), QByteArrayView(edit->inserted),
                           QByteArrayView(bytes.constData() + tail, bytes.size() - tail)},
                          d->source == Private::Source::File ? &d->held : nullptr, written))
        return false;
    lock.sync();

    if (!written.isOpen()) {
        d->forget();
        return true;
    }
    d->index.apply(*edit);
    d->held = std::move(written);
    d->source = Private::Source::File;
    return true;
}

} // namespace tavrel
