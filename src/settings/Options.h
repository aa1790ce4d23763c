#pragma once

#include <QString>

namespace tavrel {

class IniStore;

// The settings file's name beside the program.
QString settingsPath(const QString& programDirectory);

// The eight default options as stored: one section each, key "1".
struct StoredOptions {
    QString pictures;
    QString frameskip;
    QString video;
    QString scanlines;
    QString analyse;
    QString vsync;
    QString joystick;
    QString exeName;
};

// The option controls' states. Indexes count the buttons of a group from the top.
struct OptionState {
    int scanlines = 0;  // None, Normal, 25% Thinner, 50% Thinner, Double Pixels
    int frameskip = 0;  // No Skip .. Four Frames
    int video = 0;      // Default, VGA, Mode X
    bool vsync = false;
    bool joystick = false;
    bool skipAnalyse = false;
    bool pictures = false;
    QString exeName = QStringLiteral("NeoRAGE.EXE");
};

// Reads the eight sections in the order start-up reads them.
StoredOptions readStoredOptions(IniStore& store);

// Start-up: each recognised value sets its control; anything else (compared
// exactly, letter case included) leaves the control as it is. The pictures
// setting is handled by the caller.
void applyStoredOptions(const StoredOptions& stored, OptionState& state);

// The values the save button writes for the controls' states.
StoredOptions storedFrom(const OptionState& state);

// Writes all eight sections; true only when every write reached the disk.
bool writeStoredOptions(IniStore& store, const StoredOptions& stored);

} // namespace tavrel
