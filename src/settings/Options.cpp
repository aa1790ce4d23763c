#include "settings/Options.h"

#include "paths/Paths.h"
#include "settings/IniStore.h"

#include <array>

namespace tavrel {

namespace {

const QString kKey = QStringLiteral("1");
const std::array<const char*, 5> kScanlineValues{"no", "yes", "25", "50", "double"};
const std::array<const char*, 5> kFrameskipValues{"0", "1", "2", "3", "4"};
const std::array<const char*, 3> kVideoValues{"1", "2", "3"};

template <std::size_t N>
int indexOf(const std::array<const char*, N>& values, const QString& value)
{
    for (std::size_t i = 0; i < N; ++i) {
        if (value == QLatin1String(values[i]))
            return int(i);
    }
    return -1;
}

QString yesNo(bool on)
{
    return on ? QStringLiteral("yes") : QStringLiteral("no");
}

} // namespace

QString settingsPath(const QString& programDirectory)
{
    return joinPath(programDirectory, QStringLiteral("tavrel.ini"));
}

StoredOptions readStoredOptions(IniStore& store)
{
    StoredOptions s;
    s.pictures = store.read(QStringLiteral("Pictures"), kKey);
    s.frameskip = store.read(QStringLiteral("Frameskip"), kKey);
    s.video = store.read(QStringLiteral("Video"), kKey);
    s.scanlines = store.read(QStringLiteral("Scanlines"), kKey);
    s.analyse = store.read(QStringLiteral("Analyse"), kKey);
    s.vsync = store.read(QStringLiteral("Vsync"), kKey);
    s.joystick = store.read(QStringLiteral("Joystick"), kKey);
    s.exeName = store.read(QStringLiteral("EXEname"), kKey);
    return s;
}

void applyStoredOptions(const StoredOptions& stored, OptionState& state)
{
    if (int i = indexOf(kScanlineValues, stored.scanlines); i >= 0)
        state.scanlines = i;
    if (stored.vsync == QLatin1String("yes"))
        state.vsync = true;
    if (int i = indexOf(kFrameskipValues, stored.frameskip); i >= 0)
        state.frameskip = i;
    if (stored.joystick == QLatin1String("yes"))
        state.joystick = true;
    if (int i = indexOf(kVideoValues, stored.video); i >= 0)
        state.video = i;
    if (stored.analyse == QLatin1String("yes"))
        state.skipAnalyse = true;
    state.exeName = stored.exeName.isEmpty() ? QStringLiteral("NeoRAGE.EXE") : stored.exeName;
}

StoredOptions storedFrom(const OptionState& state)
{
    StoredOptions s;
    s.pictures = yesNo(state.pictures);
    s.scanlines = QLatin1String(kScanlineValues.at(std::size_t(state.scanlines)));
    s.vsync = yesNo(state.vsync);
    s.frameskip = QLatin1String(kFrameskipValues.at(std::size_t(state.frameskip)));
    s.joystick = yesNo(state.joystick);
    s.video = QLatin1String(kVideoValues.at(std::size_t(state.video)));
    s.analyse = yesNo(state.skipAnalyse);
    s.exeName = state.exeName;
    return s;
}

bool writeStoredOptions(IniStore& store, const StoredOptions& s)
{
    // Every write is attempted even after one fails; the result says whether all landed.
    bool ok = true;
    ok &= store.write(QStringLiteral("Pictures"), kKey, s.pictures);
    ok &= store.write(QStringLiteral("Frameskip"), kKey, s.frameskip);
    ok &= store.write(QStringLiteral("Video"), kKey, s.video);
    ok &= store.write(QStringLiteral("Scanlines"), kKey, s.scanlines);
    ok &= store.write(QStringLiteral("Analyse"), kKey, s.analyse);
    ok &= store.write(QStringLiteral("Vsync"), kKey, s.vsync);
    ok &= store.write(QStringLiteral("Joystick"), kKey, s.joystick);
    ok &= store.write(QStringLiteral("EXEname"), kKey, s.exeName);
    return ok;
}

} // namespace tavrel
