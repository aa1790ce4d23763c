#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

namespace tavrel {

// True for a name DOS holds as it is (letter case aside): one to eight characters, then optionally a
// dot and one to three more, each a letter, a digit or one of ! # $ & ' ( ) - @ ^ _ ` { } ~. A "%" is
// left out too: the batch file would read it as the start of a variable.
bool isDosName(const QString& name);

// The alias of a name DOS cannot hold: up to three of its leading usable characters in upper case,
// "~", four letters or digits from a hash of the whole name (64-bit FNV-1a over its UTF-8 bytes, and
// over the round number from round 1 on), then a dot and up to three usable characters of its
// extension. From round 8 on, no leading characters and seven from the hash. It depends on the name
// alone, never on the order of a folder's entries.
QString dosAlias(const QString& name, int round = 0);

// The DOS name of every entry of one folder. A name DOS holds keeps its upper-case form; where two
// entries share that form (they differ in letter case only), the one first in byte order keeps it.
// Every other name takes its alias; should the alias be taken, the next round's, the names taken in
// byte order so that the same folder always gives the same names.
QHash<QString, QString> dosNames(const QStringList& entries);

// The DOSBox command that mounts a host folder as a drive: the path in double quotes, "%" doubled
// since DOSBox reads its startup commands as a batch file. Empty for a path DOSBox cannot take (one
// holding a double quote).
QString dosboxMount(QChar drive, const QString& hostPath);

// An absolute path as a Windows program under Wine names it: Wine's drive Z: is the root folder.
QString wineZPath(const QString& path);

} // namespace tavrel
