#include "launch/CommandLine.h"

#include "settings/Options.h"

#include <algorithm>

namespace tavrel {

SwitchTexts switchTexts(const OptionState& o)
{
    static const char* const scan[] = {" ", " -s ", " -s25 ", " -s50 ", " -s100 "};
    static const char* const frames[] = {" ", " -f1 ", " -f2 ", " -f3 ", " -f4 "};
    static const char* const video[] = {" ", " -vga ", " -modex "};
    SwitchTexts s;
    s.scanlines = QLatin1String(scan[o.scanlines]);
    if (o.vsync)
        s.vsync = QStringLiteral(" -v ");
    s.frameskip = QLatin1String(frames[o.frameskip]);
    if (o.joystick)
        s.joystick = QStringLiteral(" -j ");
    s.video = QLatin1String(video[o.video]);
    if (o.skipAnalyse)
        s.analyse = QStringLiteral(" -noanalyse ");
    return s;
}

bool launchesAsArchive(const QString& gamePath)
{
    return gamePath.endsWith(QLatin1String("ZIP"), Qt::CaseSensitive)
        || gamePath.endsWith(QLatin1String("zip"), Qt::CaseSensitive);
}

QString quotedGameArgument(const QString& path)
{
    auto plain = [](QChar c) {
        const char16_t u = c.unicode();
        return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9')
            || QStringView(u"_./-+,:@%").contains(c);
    };
    if (std::all_of(path.begin(), path.end(), plain))
        return path;
    QString quoted = path;
    quoted.replace(QLatin1Char('\''), QLatin1String("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

QString commandLine(const QString& exeName, const QString& gameArgument, const SwitchTexts& s)
{
    return exeName + QLatin1Char(' ') + gameArgument + s.scanlines + s.frameskip + s.joystick + s.video + s.vsync
        + s.analyse;
}

QByteArray launchScript(const QString& line)
{
    QByteArray script = "echo off\r\ncls\r\necho Starting NeoRAGE... Loading ROMs.\r\n";
    script += line.toUtf8();
    script += "\r\nPause\r\n";
    return script;
}

} // namespace tavrel
