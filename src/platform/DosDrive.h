#pragma once

#include <QString>

namespace tavrel {

// The folders DOSBox mounts for a launch, as symbolic links in one folder of the user's (the root):
//   c  the emulator's folder, e  the data directory (both the folders themselves, so what DOS writes
//   there lands in them), and d/  the game's folder seen through one link per entry, each named by its
//   DOS name (dosNames), so that every file beside the game is on drive D: under a name of ours.
// Mounting these links rather than the folders spares DOSBox's mount command every awkward path.
struct DosDrives {
    QString root;
    QString gameName;  // the game's DOS name in d/
    QString error;     // the system's words when the links could not be made
};

// Rebuilds the links; a later launch replaces them whole (d/ swapped in by a rename), unless its game's
// folder is the same and unchanged.
DosDrives stageDosDrives(const QString& root, const QString& emulatorFolder, const QString& dataDir,
                         const QString& gameFolder, const QString& gameName);

// The user's root for these links: the runtime folder when it is one DOSBox can mount, else one in the
// temporary folder. It is made (mode 0700) on first use.
QString dosStagingRoot();

} // namespace tavrel
