#include "app/GraphicalSession.h"

#include <cstdlib>
#include <string_view>

namespace tavrel {

namespace {

bool isSet(const EnvironmentLookup& getenv, const char* name)
{
    const char* value = getenv ? getenv(name) : std::getenv(name);
    return value && *value;
}

// Qt takes "-platform name", also spelt "--platform name".
bool platformOnCommandLine(int argc, const char* const* argv)
{
    for (int i = 1; i + 1 < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "-platform" || arg == "--platform")
            return true;
    }
    return false;
}

} // namespace

bool checkGraphicalSession(int argc, const char* const* argv, std::ostream& err, const EnvironmentLookup& getenv)
{
    if (isSet(getenv, "DISPLAY") || isSet(getenv, "WAYLAND_DISPLAY") || isSet(getenv, "QT_QPA_PLATFORM")
        || platformOnCommandLine(argc, argv))
        return true;
    err << noDesktopMessage << '\n';
    return false;
}

} // namespace tavrel
