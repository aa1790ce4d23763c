#pragma once

#include "launch/CommandLine.h"
#include "launch/EmulatorKind.h"

#include <QStringList>

namespace tavrel {

// A launch of a DOS or Windows emulator: the script's command line in that system's form, and the
// arguments that tell the shell program how to run it.
struct ForeignLaunch {
    EmulatorKind kind = EmulatorKind::Linux;
    QString line;
    QStringList shellArguments;
    QString error;  // the system's words when DOSBox's drives could not be made
};

// The emulator named by the first word of ".EXE Name:" and its kind. For a Linux program nothing else
// is filled in: its launch is the plain one. For a DOS program the line runs in DOSBox with the
// emulator's folder as C:, the game's folder as D: and the data directory as E:; for a Windows program
// it runs through Wine with the game as a Z: path. The game is the path the launch hands over (empty
// when it is gone; a folder when it ends in "/").
ForeignLaunch foreignLaunch(const QString& dataDir, const QString& exeText, const QString& game,
                            const SwitchTexts& switches);

} // namespace tavrel
