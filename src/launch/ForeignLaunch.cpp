#include "launch/ForeignLaunch.h"

#include "launch/DosNames.h"
#include "platform/DosDrive.h"

#include <QDir>
#include <QFileInfo>

namespace tavrel {

namespace {

void launchInDosBox(ForeignLaunch& launch, const QString& dataDir, const QString& exe, const QString& rest,
                    const QString& game, const SwitchTexts& switches)
{
    // The game's folder is drive D: and the game one of its entries; the root folder is D: itself.
    const QString clean = game.isEmpty() ? QString() : QDir::cleanPath(game);
    const bool root = clean == QLatin1String("/");
    const QFileInfo info(clean);
    const QString folder = clean.isEmpty() ? QString() : root ? clean : info.path();
    const DosDrives drives = stageDosDrives(dosStagingRoot(), QFileInfo(exe).absolutePath(), dataDir, folder,
                                            root ? QString() : info.fileName());
    if (!drives.error.isEmpty()) {
        launch.error = drives.error;
        return;
    }
    const QString name = QFileInfo(exe).fileName();
    const QString argument = clean.isEmpty() ? QString() : QStringLiteral("D:\\") + drives.gameName;
    launch.line = commandLine((isDosName(name) ? name.toUpper() : name) + rest, argument, switches);

    launch.shellArguments = QStringList{QStringLiteral("--dosbox"), drives.root + QStringLiteral("/d"), folder};
    auto command = [&](const QString& text) { launch.shellArguments << QStringLiteral("-c") << text; };
    // Drives the user's own configuration may have mounted are let go first.
    for (const char* drive : {"C", "D", "E"})
        command(QStringLiteral("mount -u ") + QLatin1String(drive));
    command(dosboxMount(u'C', drives.root + QStringLiteral("/c")));
    if (!clean.isEmpty())
        command(dosboxMount(u'D', drives.root + QStringLiteral("/d")));
    command(dosboxMount(u'E', drives.root + QStringLiteral("/e")));
    command(QStringLiteral("C:"));
    command(QStringLiteral("call E:\\TEMP.BAT"));
    command(QStringLiteral("exit"));
}

} // namespace

ForeignLaunch foreignLaunch(const QString& dataDir, const QString& exeText, const QString& game,
                            const SwitchTexts& switches)
{
    ForeignLaunch launch;
    const FirstWord first = firstShellWord(exeText);
    const QString exe = findEmulator(first.word, dataDir, qEnvironmentVariable("PATH").split(u':'));
    launch.kind = emulatorKind(exe);
    const QString rest = exeText.mid(first.end);
    switch (launch.kind) {
    case EmulatorKind::Linux:
        break;
    case EmulatorKind::Dos:
        launchInDosBox(launch, dataDir, exe, rest, game, switches);
        break;
    case EmulatorKind::Windows32:
    case EmulatorKind::Windows64:
        launch.line = commandLine(QStringLiteral("wine ") + quotedGameArgument(exe) + rest,
                                  game.isEmpty() ? QString() : quotedGameArgument(wineZPath(game)), switches);
        launch.shellArguments = QStringList{launch.kind == EmulatorKind::Windows32 ? QStringLiteral("--wine32")
                                                                                  : QStringLiteral("--wine")};
        break;
    }
    return launch;
}

} // namespace tavrel
