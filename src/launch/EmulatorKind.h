#pragma once

#include <QString>
#include <QStringList>

class QIODevice;

namespace tavrel {

// How a launch runs the emulator: Linux runs its own programs; a DOS program runs in DOSBox and a
// Windows program through Wine.
enum class EmulatorKind { Linux, Dos, Windows32, Windows64 };

// The first word of a command as sh splits it (quotes and backslashes undone, nothing expanded), and
// where the text after that word begins.
struct FirstWord {
    QString word;
    qsizetype end = 0;
};
FirstWord firstShellWord(const QString& command);

// The file the launch runs for a first word: a bare name in the data directory, then in each folder
// of the search path; a name with "/" relative to the data directory. Names match exactly first; when
// no exact one exists anywhere, a name differing only in letter case does (DOS and Windows names
// ignore case). Empty when nothing matches.
QString findEmulator(const QString& word, const QString& dataDir, const QStringList& searchPath);

// The kind from the file's first bytes: "MZ" with a PE header at the offset the MZ header gives is a
// Windows program (32- or 64-bit by its machine field); "MZ" without one is a DOS program; an ELF file
// or a script is a Linux program whatever its name; other content is a DOS program when the name ends
// in ".COM" and a Linux program otherwise.
EmulatorKind classifyExecutable(QIODevice& file, const QString& fileName);

// The kind of the file at a path; a file that cannot be read, or no path, is a Linux program.
EmulatorKind emulatorKind(const QString& path);

} // namespace tavrel
