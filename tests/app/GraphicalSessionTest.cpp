#include "app/GraphicalSession.h"

#include <QProcess>

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

using namespace tavrel;

TEST(GraphicalSession, OnlyADisplayOrAChosenPlatformLetsQtStart)
{
    using Env = std::map<std::string, std::string>;
    const auto starts = [](const Env& env, std::vector<const char*> args = {}) {
        args.insert(args.begin(), "tavrel");
        std::ostringstream err;
        const bool ok = checkGraphicalSession(int(args.size()), args.data(), err, [&env](const char* name) {
            const auto it = env.find(name);
            return it == env.end() ? nullptr : it->second.c_str();
        });
        EXPECT_EQ(err.str(), ok ? "" : std::string(noDesktopMessage) + "\n");
        return ok;
    };
    EXPECT_TRUE(starts({{"DISPLAY", ":0"}}));
    EXPECT_TRUE(starts({{"WAYLAND_DISPLAY", "wayland-0"}}));
    EXPECT_TRUE(starts({{"DISPLAY", ""}, {"QT_QPA_PLATFORM", "offscreen"}}));
    EXPECT_TRUE(starts({}, {"--platform", "vnc"}));
    EXPECT_FALSE(starts({}));
    EXPECT_FALSE(starts({{"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}, {"QT_QPA_PLATFORM", ""}}));
    EXPECT_FALSE(starts({{"XDG_SESSION_TYPE", "x11"}}, {"-platform"}));  // names no platform
}

TEST(GraphicalSession, TheProgramSaysWhatItNeedsAndStopsWithStatusOne)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(name));
    QProcess tavrel;
    tavrel.setProcessEnvironment(env);
    tavrel.start(QStringLiteral(TAVREL_PROGRAM), {});
    ASSERT_TRUE(tavrel.waitForFinished(30000)) << tavrel.errorString().toStdString();
    EXPECT_EQ(tavrel.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(tavrel.exitCode(), 1);
    EXPECT_EQ(tavrel.readAllStandardError().toStdString(), std::string(noDesktopMessage) + "\n");
}
