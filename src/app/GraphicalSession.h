#pragma once

#include <functional>
#include <ostream>

namespace tavrel {

// The one line shown when there is no screen to open the window on.
inline constexpr const char* noDesktopMessage =
    "Tavrel needs a graphical desktop (X11 or Wayland): neither DISPLAY nor WAYLAND_DISPLAY is set.";

// Looks an environment variable up; nullptr when unset.
using EnvironmentLookup = std::function<const char*(const char*)>;

// Checked before QApplication exists: without a display, and with no platform chosen by hand
// (QT_QPA_PLATFORM, or -platform on the command line), Qt would abort with a message about
// plugins. Then this writes noDesktopMessage to `err` and returns false.
bool checkGraphicalSession(int argc, const char* const* argv, std::ostream& err,
                           const EnvironmentLookup& getenv = {});

} // namespace tavrel
