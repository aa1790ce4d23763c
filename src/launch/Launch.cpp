// The launch button: the emulator's command line into "temp.bat" in the data directory, then "TVRShell.pif".
#include "app/Form1.h"

#include "browser/GameRecord.h"
#include "launch/CommandLine.h"
#include "launch/ForeignLaunch.h"
#include "paths/Paths.h"
#include "paths/ProgramFiles.h"
#include "platform/Desktop.h"
#include "platform/Dialogs.h"
#include "platform/DirList.h"
#include "platform/FileList.h"
#include "settings/Options.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QSaveFile>

namespace tavrel {

namespace {

// The whole script or nothing: a launch must never run a previous game's half-replaced script.
// The bytes reach the disk at flush(), where a full disk shows; commit() would still put the short
// file in place.
bool writeWhole(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush() && file.commit();
}

} // namespace

void form1::Command1_Click()
{
    const QString dataDir = withTrailingSlash(m_files.dataDirectory);
    const QString gamePath = text1->text();
    if (gamePath.isEmpty())
        return;

    const SwitchTexts switches = switchTexts(optionState());
    // The emulator gets the names as they are on disk; the lower-case game path names only the record.
    const QString source = launchesAsArchive(gamePath) ? joinPath(Dir1->path(), File1->fileName()) : Dir1->path();
    // The emulator gets what Game Path names or nothing: never the folder in
    // place of an archive that is no longer selected or no longer there.
    if (gamePathOf(QDir::cleanPath(source)) != gamePath) {
        m_platform.dialogs.message(QStringLiteral("Error: %1 is no longer there. Choose the game again.").arg(gamePath));
        return;
    }
    const QString game = ShortPath(source);
    if (game.contains(QLatin1Char('\n')) || game.contains(QLatin1Char('\r'))) {
        m_platform.dialogs.message(QStringLiteral("Error: This game's path cannot be launched."));
        return;
    }
    const QString scriptPath = dataDir + QStringLiteral("temp.bat");
    // A DOS or Windows emulator gets the line in its own system's form and its own way of running.
    const ForeignLaunch foreign = foreignLaunch(dataDir, Text3->text(), game, switches);
    if (!foreign.error.isEmpty()) {
        m_platform.dialogs.message(QStringLiteral("Error: Unable to give DOSBox the game's folder.\n") + foreign.error);
        return;
    }
    const QString line = foreign.kind == EmulatorKind::Linux
        ? commandLine(Text3->text(), quotedGameArgument(game), switches)
        : foreign.line;
    if (!makeDataDirectory(dataDir) || !writeWhole(scriptPath, launchScript(line))) {
        m_platform.dialogs.message(QStringLiteral("Error: Unable to write the launch script.\n") + scriptPath);
        return;
    }
    if (!m_platform.desktop.startDetached(m_files.shellProgram, dataDir, foreign.shellArguments)) {
        m_platform.dialogs.message(QStringLiteral(
            "Error. Perhaps you tried running Tavrel from a directory without all the appropriate files? "
            "Reinstall Tavrel."));
    }
}

} // namespace tavrel
