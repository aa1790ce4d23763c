#include "browser/GameRecord.h"

#include "paths/Paths.h"
#include "settings/IniStore.h"

namespace tavrel {

QString pictureKey(int slot)
{
    return slot == 1 ? QStringLiteral("picture") : QStringLiteral("picture%1").arg(slot);
}

QString gamePathOf(const QString& path)
{
    return ShortPath(path).toLower();
}

bool isArchiveGamePath(const QString& gamePath)
{
    return gamePath.endsWith(QLatin1String("zip"), Qt::CaseSensitive);
}

GameRecord readGameRecord(IniStore& store, const QString& gamePath)
{
    GameRecord record;
    record.name = store.read(gamePath, QStringLiteral("gamename"));
    for (int slot = 1; slot <= 5; ++slot)
        record.pictures[std::size_t(slot - 1)] = store.read(gamePath, pictureKey(slot));
    return record;
}

bool writeGameName(IniStore& store, const QString& gamePath, const QString& name)
{
    return store.write(gamePath, QStringLiteral("gamename"), name);
}

bool writePicture(IniStore& store, const QString& gamePath, int slot, const QString& picturePath)
{
    return store.write(gamePath, pictureKey(slot), picturePath);
}

bool removePictures(IniStore& store, const QString& gamePath)
{
    bool ok = true;
    for (int slot = 1; slot <= 5; ++slot)
        ok &= store.write(gamePath, pictureKey(slot), QString());
    return ok;
}

} // namespace tavrel
