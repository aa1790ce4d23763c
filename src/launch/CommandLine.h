#pragma once

#include <QByteArray>
#include <QString>

namespace tavrel {

struct OptionState;

// The six switch texts, each " " or a switch with one blank on either side.
struct SwitchTexts {
    QString scanlines = QStringLiteral(" ");
    QString frameskip = QStringLiteral(" ");
    QString joystick = QStringLiteral(" ");
    QString video = QStringLiteral(" ");
    QString vsync = QStringLiteral(" ");
    QString analyse = QStringLiteral(" ");
};

SwitchTexts switchTexts(const OptionState& options);

// A game path ending in "ZIP" or "zip" is launched as an archive, anything else as a directory.
bool launchesAsArchive(const QString& gamePath);

// The game argument as the shell must see it: a path of only letters, digits and
// _ . / - + , : @ % stays as it is; any other is single-quoted so that no file
// name can run a command.
QString quotedGameArgument(const QString& path);

// The executable, one blank, the game argument, then the six switch texts in line order.
QString commandLine(const QString& exeName, const QString& gameArgument, const SwitchTexts& switches);

// The five-line launch script, each line ending in CR LF.
QByteArray launchScript(const QString& commandLine);

} // namespace tavrel
