#pragma once

#include <QString>

#include <array>

namespace tavrel {

class IniStore;

// A game's record: a section named after its game path with its display name and five picture paths.
struct GameRecord {
    QString name;
    std::array<QString, 5> pictures;  // slots 1 to 5; empty: no picture there
};

// The key of picture slot 1..5: "picture", then "picture2" to "picture5".
QString pictureKey(int slot);

// The game path that names a file's or directory's record: its stable name in lower case,
// or empty when it does not exist.
QString gamePathOf(const QString& path);

// Archives' game paths end in "zip" (lower case, compared exactly); anything else is a directory.
bool isArchiveGamePath(const QString& gamePath);

GameRecord readGameRecord(IniStore& store, const QString& gamePath);
bool writeGameName(IniStore& store, const QString& gamePath, const QString& name);
bool writePicture(IniStore& store, const QString& gamePath, int slot, const QString& picturePath);
// Empties all five picture keys (they stay in the record). True when every write landed.
bool removePictures(IniStore& store, const QString& gamePath);

} // namespace tavrel
